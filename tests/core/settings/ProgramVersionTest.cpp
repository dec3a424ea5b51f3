#include "core/settings/ProgramVersion.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvor {
namespace {

TEST(ProgramVersion, NameVersionAndBuildTexts) {
  struct Case {
    ProgramVersion version;
    const char* app;
    const char* build;
  };
  const std::vector<Case> cases = {
      {{1, 8, 146}, "Kelvor V1.08", "Build 146"},   {{1, 8, 7}, "Kelvor V1.08", "Build 007"},
      {{1, 0, 0}, "Kelvor V1.00", "Build 000"},     {{12, 34, 1234}, "Kelvor V12.34", "Build 1234"},
      {{0, 123, 40}, "Kelvor V0.123", "Build 040"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.app);
    EXPECT_EQ(c.version.appText("Kelvor"), c.app);
    EXPECT_EQ(c.version.buildText(), c.build);
  }
}

}  // namespace
}  // namespace kelvor
