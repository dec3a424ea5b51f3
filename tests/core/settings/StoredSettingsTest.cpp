#include "core/settings/StoredSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kelvor {
namespace {

StoredSettings readFrom(const std::map<std::string, std::string>& store, char separator = ',') {
  return StoredSettings::read(
      [&store](const std::string& key) -> std::optional<std::string> {
        const auto it = store.find(key);
        if (it == store.end()) return std::nullopt;
        return it->second;
      },
      separator);
}

TEST(StoredSettings, EmptyStoreGivesTheDefaults) {
  const StoredSettings s = readFrom({});
  EXPECT_FALSE(s.PrintColored);
  EXPECT_TRUE(s.AutoScale);
  EXPECT_EQ(s.Port, 1);
  EXPECT_EQ(s.BPS, 1200);
  EXPECT_EQ(s.Device, 0);
  EXPECT_EQ(s.SavedLeft + s.SavedTop + s.SavedWidth + s.SavedHeight + s.SavedState, 0);
}

TEST(StoredSettings, PortRateAndDeviceNeedWholeNumbers) {
  struct Case {
    std::string text;
    int port;
  };
  const std::vector<Case> cases = {
      {"12", 12},  {" 7 ", 7}, {"2,5", 2}, {"3,5", 4},    {"1.5", 2},
      {"COM3", 1}, {"", 1},    {"abc", 1}, {"1e3", 1000}, {"99999999999", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(readFrom({{"Port", c.text}}).Port, c.port);
  }
  EXPECT_EQ(readFrom({{"BPS", "9600"}}).BPS, 9600);
  EXPECT_EQ(readFrom({{"BPS", "fast"}}).BPS, 1200);
  EXPECT_EQ(readFrom({{"Device", "3"}}).Device, 3);
  EXPECT_EQ(readFrom({{"Device", "x"}}).Device, 0);
}

TEST(StoredSettings, FlagsAreTheNumericValueOfTheText) {
  struct Case {
    std::string text;
    bool on;
  };
  const std::vector<Case> cases = {{"0", false},   {"1", true},    {"7", true}, {"", false},
                                   {"abc", false}, {"0.0", false}, {"-1", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(readFrom({{"AutoScale", c.text}}).AutoScale, c.on);
    EXPECT_EQ(readFrom({{"PrintColored", c.text}}).PrintColored, c.on);
  }
}

TEST(StoredSettings, PlacementIsRoundedAndSizesArePositive) {
  const StoredSettings s = readFrom({{"wLeft", "-120.5"},
                                     {"wTop", "300.5"},
                                     {"wWidht", "-9600"},
                                     {"wHeight", "6200.4"},
                                     {"wState", "2"}});
  EXPECT_EQ(s.SavedLeft, -120);
  EXPECT_EQ(s.SavedTop, 300);
  EXPECT_EQ(s.SavedWidth, 9600);
  EXPECT_EQ(s.SavedHeight, 6200);
  EXPECT_EQ(s.SavedState, 2);
  EXPECT_EQ(readFrom({{"wLeft", "left"}}).SavedLeft, 0);
}

}  // namespace
}  // namespace kelvor
