#include "core/acquisition/ReadingHandler.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/FakeClock.h"

namespace kelvor {
namespace {

class RecordingView : public ReadingView {
 public:
  void showValue(const std::string& text) override { value = text; }
  void showMode(const std::string& text) override { mode = text; }
  void showCurrentTime(const std::string& text) override { current = text; }
  void showStartTime(const std::string& text) override { start = text; }
  void showRunTime(const std::string& text) override { run = text; }
  bool autoScaleChecked() const override { return autoScale; }

  std::string value, mode, current, start = "-- : -- : --", run = "-- : -- : --";
  bool autoScale = true;
};

class RecordingHooks : public ReadingHooks {
 public:
  void recordingStarted() override { calls.push_back("start"); }
  void DrawToScope() override { calls.push_back("draw"); }
  void AutoRangeY(float min, float max) override {
    calls.push_back("range " + std::to_string(min) + " " + std::to_string(max));
  }
  void testAlarm(float value) override { calls.push_back("alarm " + std::to_string(value)); }
  std::vector<std::string> calls;
};

// 2026-12-06 14:30:05 local time.
constexpr LocalSeconds StartOfTest = 1796515200 + 14 * 3600 + 30 * 60 + 5;

class ReadingHandlerTest : public ::testing::Test {
 protected:
  void feed(std::string frame) { handler.Messung(frame); }

  RecordingState state;
  testing::FakeClock clock{StartOfTest};
  RecordingView view;
  RecordingHooks hooks;
  ReadingHandler handler{state, clock, view, hooks, ','};
};

TEST_F(ReadingHandlerTest, IdleReadingIsShownAndTestedForAlarmOnly) {
  feed("DC  1.234 V  \r");
  EXPECT_EQ(view.value, "1,234 V");
  EXPECT_EQ(view.mode, "DC");
  EXPECT_EQ(view.current, "14:30:05");
  EXPECT_FLOAT_EQ(state.CurrentValue, 1.234f);
  EXPECT_EQ(hooks.calls, (std::vector<std::string>{"alarm 1.234000"}));
}

TEST_F(ReadingHandlerTest, PendingStartBeginsTheRecordingWithTheNextReading) {
  state.StartPending = true;
  state.StoreInterval = 4;
  state.LastX = state.LastY = state.LastDrawnX = state.LastDrawnY = 7;
  feed("DC  0.500 V  \r");

  EXPECT_FALSE(state.StartPending);
  EXPECT_TRUE(state.Running);
  EXPECT_EQ(state.StartTime, StartOfTest);
  EXPECT_EQ(view.start, "14:30:05");
  EXPECT_EQ(view.run, "00:00:00");
  EXPECT_EQ(state.StoreCounter, 4);
  EXPECT_EQ(hooks.calls, (std::vector<std::string>{"start", "draw", "range 0.500000 0.500000",
                                                   "alarm 0.500000"}));
}

TEST_F(ReadingHandlerTest, RunningTimeCountsFromTheStartAndWrapsAfterADay) {
  state.StartPending = true;
  feed("DC  0.500 V  \r");
  struct Step {
    LocalSeconds advance;
    const char* run;
    const char* current;
  };
  const std::vector<Step> steps = {
      {1, "00:00:01", "14:30:06"},
      {5 * 60 + 16, "00:05:17", "14:35:22"},
      {24 * 3600, "00:05:17", "14:35:22"},  // whole days are dropped
  };
  for (const Step& s : steps) {
    clock.advance(s.advance);
    feed("DC  0.500 V  \r");
    EXPECT_EQ(view.run, s.run);
    EXPECT_EQ(view.current, s.current);
  }
}

TEST_F(ReadingHandlerTest, AutoScaleOffLeavesTheRangeAlone) {
  view.autoScale = false;
  state.Running = true;
  feed("DC  0.500 V  \r");
  EXPECT_EQ(hooks.calls, (std::vector<std::string>{"draw", "alarm 0.500000"}));
}

TEST_F(ReadingHandlerTest, ReadingWithoutValueBreaksTheLineAndGoesNoFurther) {
  const std::vector<std::string> unusable = {"DC   OL   V  \r", "DC  O.L   V  \r", "short\r"};
  for (const std::string& frame : unusable) {
    SCOPED_TRACE(frame);
    hooks.calls.clear();
    state.Running = true;
    state.LastX = state.LastY = state.LastDrawnX = state.LastDrawnY = 9;
    feed(frame);
    EXPECT_EQ(state.CurrentValue, InvalidValue);
    EXPECT_TRUE(hooks.calls.empty());
    EXPECT_EQ(state.LastX + state.LastY + state.LastDrawnX + state.LastDrawnY, 0);
  }
  EXPECT_EQ(view.mode, "--");
}

TEST_F(ReadingHandlerTest, OverloadShowsTheMetersText) {
  feed("DC   OL   V  \r");
  EXPECT_EQ(view.value, "OL V");
  EXPECT_EQ(view.mode, "DC");
}

TEST_F(ReadingHandlerTest, PendingStartHappensEvenOnAnUnusableReading) {
  state.StartPending = true;
  feed("DC   OL   V  \r");
  EXPECT_TRUE(state.Running);
  EXPECT_EQ(hooks.calls, (std::vector<std::string>{"start"}));
}

}  // namespace
}  // namespace kelvor
