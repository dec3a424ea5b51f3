#include "core/settings/StoredSettings.h"

#include <gtest/gtest.h>

#include <climits>
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

using KeyTexts = std::vector<StoredSettings::KeyText>;

TEST(StoredSettings, WrittenTextsFollowTheWindowState) {
  StoredSettings s;
  s.PrintColored = true;
  s.AutoScale = false;
  s.Port = 12;
  s.BPS = 4711;
  s.Device = 3;
  s.SavedLeft = -15;
  s.SavedTop = 300;
  s.SavedWidth = 9600;
  s.SavedHeight = 6150;

  s.SavedState = 0;
  EXPECT_EQ(s.texts(), (KeyTexts{{"PrintColored", "1"},
                                 {"AutoScale", "0"},
                                 {"Port", "12"},
                                 {"BPS", "4711"},
                                 {"Device", "3"},
                                 {"wState", "0"},
                                 {"wLeft", "-15"},
                                 {"wTop", "300"},
                                 {"wWidht", "9600"},
                                 {"wHeight", "6150"}}));
  // Minimised or maximised: the placement keys keep what an earlier run wrote.
  for (const int state : {1, 2}) {
    SCOPED_TRACE(state);
    s.SavedState = state;
    const KeyTexts texts = s.texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts.back(), (StoredSettings::KeyText{"wState", std::to_string(state)}));
  }
}

TEST(StoredSettings, WrittenTextsReadBackUnchanged) {
  StoredSettings s;
  s.PrintColored = true;
  s.AutoScale = false;
  s.Port = 256;
  s.BPS = 9600;
  s.Device = 1;
  s.SavedLeft = -120;
  s.SavedTop = 45;
  s.SavedWidth = 12000;
  s.SavedHeight = 8000;
  std::map<std::string, std::string> store;
  for (const auto& [key, text] : s.texts()) store[key] = text;
  for (const char separator : {',', '.'}) {
    SCOPED_TRACE(separator);
    const StoredSettings back = readFrom(store, separator);
    EXPECT_EQ(back.texts(), s.texts());
  }
}

TEST(StoredSettings, OptionsReachTheSharedState) {
  struct Case {
    std::map<std::string, std::string> store;
    int meterType;
    int frameLength;
  };
  const std::vector<Case> cases = {{{}, 0, 14},
                                   {{{"Device", "1"}}, 1, 56},
                                   {{{"Device", "3"}}, 3, 56},
                                   {{{"Device", "-1"}}, -1, 56}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.meterType);
    AppGlobals globals;
    globals.FrameLength = 0;
    readFrom(c.store).applyTo(globals);
    EXPECT_EQ(globals.MeterType, c.meterType);
    EXPECT_EQ(globals.FrameLength, c.frameLength);
  }
  AppGlobals globals;
  readFrom({{"PrintColored", "1"}, {"Port", "7"}, {"BPS", "600"}}).applyTo(globals);
  EXPECT_TRUE(globals.PrintColored);
  EXPECT_EQ(globals.ComPort, 7);
  EXPECT_EQ(globals.ComBaud, 600);

  globals.ComPort = 9;
  globals.ComBaud = 2400;
  globals.MeterType = 1;
  globals.PrintColored = false;
  StoredSettings back = readFrom({{"PrintColored", "1"}});
  back.takeFrom(globals);
  EXPECT_FALSE(back.PrintColored);
  EXPECT_EQ(back.Port, 9);
  EXPECT_EQ(back.BPS, 2400);
  EXPECT_EQ(back.Device, 1);
}

TEST(StoredSettings, PlacementIsRestoredOnlyWhenLargeEnoughAndOnTheScreen) {
  // A 1920 x 1080 pixel screen at 96 dpi is 28800 x 16200 twips.
  constexpr int ScreenWidth = 28800;
  constexpr int ScreenHeight = 16200;
  struct Case {
    const char* what;
    int left, top, width, height;
    bool restored;
  };
  const std::vector<Case> cases = {
      {"ordinary", 1000, 800, 12000, 8000, true},
      {"width exactly 9400", 1000, 800, 9400, 8000, false},
      {"width 9401", 1000, 800, 9401, 8000, true},
      {"height exactly 6000", 1000, 800, 12000, 6000, false},
      {"height 6001", 1000, 800, 12000, 6001, true},
      {"nothing stored", 0, 0, 0, 0, false},
      {"left edge at the right screen edge", ScreenWidth, 800, 12000, 8000, false},
      {"left edge just inside", ScreenWidth - 1, 800, 12000, 8000, true},
      {"top edge at the bottom screen edge", 1000, ScreenHeight, 12000, 8000, false},
      {"right edge at the left screen edge", -12000, 800, 12000, 8000, false},
      {"right edge just inside", -11999, 800, 12000, 8000, true},
      {"bottom edge at the top screen edge", 1000, -8000, 12000, 8000, false},
      {"bottom edge just inside", 1000, -7999, 12000, 8000, true},
      {"sums beyond 32 bits", INT_MAX, INT_MAX, INT_MAX, INT_MAX, false},
      {"far left, huge", INT_MIN, 0, INT_MAX, 8000, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StoredSettings s;
    s.SavedLeft = c.left;
    s.SavedTop = c.top;
    s.SavedWidth = c.width;
    s.SavedHeight = c.height;
    EXPECT_EQ(placementRestorable(s, ScreenWidth, ScreenHeight), c.restored);
  }
}

}  // namespace
}  // namespace kelvor
