#include "core/text/TimeText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvor {
namespace {

TEST(TimeStr, ShowsTheTimeOfDay) {
  struct Case {
    LocalSeconds t;
    std::string expected;
  };
  constexpr LocalSeconds kDay = 86400;
  // A real local timestamp at midnight: 2026-12-06 00:00:00.
  constexpr LocalSeconds kMidnight = 20793 * kDay;
  const std::vector<Case> cases = {
      {0, "00:00:00"},
      {1, "00:00:01"},
      {59, "00:00:59"},
      {60, "00:01:00"},
      {3599, "00:59:59"},
      {3600, "01:00:00"},
      {9 * 3600 + 5 * 60 + 30, "09:05:30"},
      {12 * 3600, "12:00:00"},
      {kDay - 1, "23:59:59"},
      {kDay, "00:00:00"},
      {25 * 3600, "01:00:00"},
      {100 * 3600 + 61, "04:01:01"},
      {-1, "23:59:59"},
      {-3600, "23:00:00"},
      {-kDay, "00:00:00"},
      {-kDay - 1, "23:59:59"},
      {kMidnight + 13 * 3600 + 5, "13:00:05"},
      {kMidnight + kDay - 1, "23:59:59"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("t = " + std::to_string(c.t));
    EXPECT_EQ(TimeStr(c.t), c.expected);
  }
}

}  // namespace
}  // namespace kelvor
