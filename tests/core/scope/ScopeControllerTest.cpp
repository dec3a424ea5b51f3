#include "core/scope/ScopeController.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "core/acquisition/ReadingHandler.h"
#include "core/scope/ValueLists.h"
#include "support/FakeClock.h"
#include "support/FakeScopeWindow.h"

namespace kelvor {
namespace {

using testing::FakeWindow;
using Hooks = testing::ScopeHooks;

constexpr LocalSeconds Midnight = 20793LL * 86400;

class ScopeControllerTest : public ::testing::Test {
 protected:
  ScopeControllerTest() {
    // Start-up: lists at 0 .. 1.5, duration 0:15.
    scope.setYMinItemSilently(DefaultYMinItem);
    scope.setYMaxItemSilently(DefaultYMaxItem);
    scope.setYRange(0.0f, 1.5f);
    scope.selectDurationItem(DefaultDurationItem);
    window.durationShown.clear();
  }

  RecordingState state;
  TraceStore store;
  testing::FakeClock clock{Midnight + 8 * 3600};
  FakeWindow window;
  Recorder recorder{state, store, clock, window};
  ScopeController scope{state, store, clock, recorder, window, ','};
};

TEST_F(ScopeControllerTest, FullRedrawSizesThePlotToTheWindow) {
  EXPECT_EQ(scope.raster().width(), 437);
  EXPECT_EQ(scope.raster().height(), 159);
  EXPECT_EQ(scope.MessDauer(), 15.0f);
  EXPECT_GT(scope.scale().XDivPixels, 0);
  EXPECT_GT(scope.scale().SecondsAcross, 900.0f);
  EXPECT_GT(scope.scale().YDivPixels, 0);
  EXPECT_FALSE(window.busy);

  window.minimised = true;
  const int layouts = window.layouts;
  scope.FullReDraw(0);
  EXPECT_EQ(window.layouts, layouts);
}

TEST_F(ScopeControllerTest, AutoRangeYWidensToTheNextListValue) {
  struct Case {
    const char* name;
    float min, max;
    int yMinItem, yMaxItem;
    float yMin, yMax;
  };
  const std::vector<Case> cases = {
      {"3.2 moves the top to 5", 3.2f, 3.2f, 28, 19, 0.0f, 5.0f},
      {"-0.3 moves the bottom to -0.5", -0.3f, -0.3f, 31, 22, -0.5f, 1.5f},
      {"5000 stops at 1000", 5000.0f, 5000.0f, 28, 0, 0.0f, 1000.0f},
      {"2 selects 2", 2.0f, 2.0f, 28, 21, 0.0f, 2.0f},
      {"-5000 stops at -1000", -5000.0f, -5000.0f, 57, 22, -1000.0f, 1.5f},
      {"an empty store changes nothing", 1e33f, -1e33f, 28, 22, 0.0f, 1.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    scope.setYMinItemSilently(DefaultYMinItem);
    scope.setYMaxItemSilently(DefaultYMaxItem);
    scope.setYRange(0.0f, 1.5f);
    scope.AutoRangeY(c.min, c.max);
    EXPECT_EQ(scope.yMinItem(), c.yMinItem);
    EXPECT_EQ(scope.yMaxItem(), c.yMaxItem);
    EXPECT_EQ(scope.YMin(), c.yMin);
    EXPECT_EQ(scope.YMax(), c.yMax);
  }
}

TEST_F(ScopeControllerTest, TheTwoYListsKeepTheEndsApart) {
  // 5 in the lower list pushes the upper end to 7,5.
  scope.selectYMinItem(18);
  EXPECT_EQ(scope.YMin(), 5.0f);
  EXPECT_EQ(scope.YMax(), 7.5f);
  EXPECT_EQ(window.yMaxShown, 18);

  // -0,5 in the upper list pushes the lower end to -0,75.
  scope.selectYMaxItem(32);
  EXPECT_EQ(scope.YMax(), -0.5f);
  EXPECT_EQ(scope.YMin(), -0.75f);
  EXPECT_EQ(window.yMinShown, 32);

  // The same index in both lists is always a valid range.
  scope.selectYMinItem(40);
  scope.selectYMaxItem(40);
  EXPECT_LT(scope.YMin(), scope.YMax());
}

TEST_F(ScopeControllerTest, ListHandlersAreInertWhileTheWindowIsHidden) {
  window.shown = false;
  scope.selectYMaxItem(0);
  EXPECT_EQ(scope.YMax(), 1.5f);
}

TEST_F(ScopeControllerTest, AutoRangeXStepsOnlyPastTheRightEdge) {
  const auto across =
      static_cast<int>(std::floor(static_cast<double>(scope.scale().SecondsAcross)));
  scope.AutoRangeX(across);
  EXPECT_TRUE(window.durationShown.empty());
  scope.AutoRangeX(across + 1);
  EXPECT_EQ(window.durationShown, std::vector<int>{21});
  EXPECT_EQ(scope.MessDauer(), 20.0f);
}

class LiveDrawingTest : public ScopeControllerTest {
 protected:
  LiveDrawingTest() {
    window.active = true;
    recorder.chkActive_Click();
  }
  // The meter answers at `seconds` after the start with this frame.
  void readingAt(int seconds, const std::string& frame) {
    clock.set(start + seconds);
    std::string answer = frame;
    handler.Messung(answer);
  }
  int greenPixelsInColumn(int x) {
    int count = 0;
    for (int y = 0; y < scope.raster().height(); ++y)
      if (scope.raster().pixel(x, y) == paletteRgb(10)) ++count;
    return count;
  }

  LocalSeconds start = clock.now();
  Hooks hooks{recorder, scope};
  ReadingHandler handler{state, clock, window, hooks, ','};
};

TEST_F(LiveDrawingTest, AReadingRepaintsOnlyWhatItChanged) {
  readingAt(0, "DC  0.200 V  \r");
  readingAt(30, "DC  1.200 V  \r");
  const PlotPoint from =
      mapSample(0, 0.2, scope.raster().width(), scope.raster().height(), scope.scale());
  const PlotPoint to =
      mapSample(30, 1.2, scope.raster().width(), scope.raster().height(), scope.scale());
  EXPECT_EQ(window.changed.x, from.x);
  EXPECT_EQ(window.changed.width, to.x - from.x + 1);
  EXPECT_EQ(window.changed.height, from.y - to.y + 1);
  EXPECT_EQ(scope.raster().pixel(to.x, to.y), paletteRgb(10));
}

TEST_F(LiveDrawingTest, AnUnusableReadingBreaksTheLine) {
  struct Case {
    const char* name;
    const char* middle;
    bool joined;
  };
  const std::vector<Case> cases = {
      {"usable reading in between", "DC  0.700 V  \r", true},
      {"overload in between", "DC   OL   V  \r", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    recorder.reset();
    window.active = true;
    recorder.chkActive_Click();
    scope.FullReDraw(0);
    readingAt(0, "DC  0.200 V  \r");
    readingAt(100, c.middle);
    readingAt(200, "DC  1.200 V  \r");
    // Columns between the 100 s and 200 s points carry the line only when it was joined.
    const int x100 = mapSample(100, 0, 437, 159, scope.scale()).x;
    const int x200 = mapSample(200, 0, 437, 159, scope.scale()).x;
    const int between = (x100 + x200) / 2;
    EXPECT_EQ(greenPixelsInColumn(between) > 0, c.joined);
    EXPECT_GT(greenPixelsInColumn(x200), 0);
    // The overload is never stored, neither as a value nor as 0.
    for (int i = 1; i <= store.count(0); ++i) EXPECT_GT(store.value(0, i), 0.1f);
  }
}

TEST_F(ScopeControllerTest, ADayOfRecordingStepsThroughEveryDurationAndKeepsEverySample) {
  Hooks hooks(recorder, scope);
  ReadingHandler handler(state, clock, window, hooks, ',');
  window.active = true;
  recorder.chkActive_Click();

  struct Stored {
    int time;
    int interval;
    float value;
  };
  std::vector<Stored> stored;
  for (int second = 0; second <= 86400; ++second) {
    // The meter shows the elapsed minutes, so every sample tells when it was read.
    char frame[16];
    std::snprintf(frame, sizeof frame, "DC %6.1f V  \r", second / 60.0);
    std::string answer(frame);
    handler.Messung(answer);
    if (store.count(0) > static_cast<int>(stored.size()))
      stored.push_back({second, scope.scale().StoreInterval, static_cast<float>(second / 60.0)});
    clock.advance(1);
  }

  std::vector<int> expectedSteps;
  for (int item = DefaultDurationItem - 1; item >= 1; --item) expectedSteps.push_back(item);
  EXPECT_EQ(window.durationShown, expectedSteps);

  ASSERT_EQ(store.count(0), static_cast<int>(stored.size()));
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(store.time(0, 1), 0.0f);
  for (std::size_t i = 1; i < stored.size(); ++i) {
    SCOPED_TRACE(i);
    const int slot = static_cast<int>(i) + 1;
    EXPECT_EQ(store.time(0, slot), static_cast<float>(stored[i].time));
    EXPECT_NEAR(store.value(0, slot), stored[i].value, 0.051f);
    const int gap = stored[i].time - stored[i - 1].time;
    EXPECT_GE(gap, 1);
    // Between two changes of the duration every interval-th reading is stored.
    if (stored[i].interval == stored[i - 1].interval)
      EXPECT_EQ(gap, stored[i].interval);
    else
      EXPECT_LE(gap, stored[i].interval);
  }
  EXPECT_TRUE(state.Running);
}

}  // namespace
}  // namespace kelvor
