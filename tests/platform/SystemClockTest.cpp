// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemClock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "support/FakeClock.h"

namespace kelvor {
namespace {

// The system clock's local offset follows the zone database, and the test clock's rule for
// Europe/Berlin agrees with it around each change and at New Year.
TEST(SystemClock, LocalOffsetFollowsTheZoneAndTheTestClocksRuleAgrees) {
  const char* previous = std::getenv("TZ");
  const std::string saved = previous ? previous : "";
  ::setenv("TZ", "Europe/Berlin", 1);
  ::tzset();
  const SystemClock clock;
  for (const std::int64_t utc : {1774745999LL, 1774746000LL, 1792889999LL, 1792890000LL,
                                 1798761599LL, 1798761600LL, 1806195600LL, 1824944399LL}) {
    const int offset = clock.utcOffsetAt(utc * 1000);
    EXPECT_TRUE(offset == 3600 || offset == 7200) << utc;
    EXPECT_EQ(testing::europeBerlinOffset(utc * 1000), offset) << utc;
  }
  EXPECT_EQ(clock.utcOffsetAt(1792889999000) - clock.utcOffsetAt(1792890000000), 3600);
  previous ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
  ::tzset();
}

}  // namespace
}  // namespace kelvor
