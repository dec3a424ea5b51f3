#include "core/session/MeterSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/alarm/AlarmCondition.h"
#include "support/FakeMeter.h"

namespace kelvor {
namespace {

constexpr LocalSeconds StartOfTest = 1796515200 + 14 * 3600 + 30 * 60 + 5;  // 14:30:05

// A session without a window: it polls the meter, decodes, records and raises the alarm.
// The fixture keeps what the session shows.
class MeterSessionTest : public ::testing::Test,
                         public ReadingView,
                         public RecorderView,
                         public AlarmSound {
 protected:
  MeterSessionTest() { meter.connection.PortOpen = true; }
  void showValue(const std::string& text) override { value = text; }
  void showMode(const std::string&) override {}
  void showCurrentTime(const std::string& text) override { current = text; }
  void showStartTime(const std::string& text) override { start = text; }
  void showRunTime(const std::string& text) override { run = text; }
  void showAlarmTime(const std::string& text) override { alarm = text; }
  bool autoScaleChecked() const override { return true; }
  bool activeChecked() const override { return active; }
  void setActiveChecked(bool checked) override { active = checked; }
  void setReadingColor(std::uint32_t) override {}
  void beeps(int) override { ++beepCount; }
  // One poll answered by `frame`; returns the samples of channel 0 and the beeps so far.
  std::vector<int> poll(const std::string& frame) {
    session.onPollTick();
    meter.link.incoming = frame;
    session.onReadTick();
    return {session.traces().count(0), beepCount};
  }

  std::string value, current, start, run, alarm;
  bool active = false;
  int beepCount = 0;
  testing::FakeMeter meter{StartOfTest, *this, *this, *this};
  testing::FakeClock& clock = meter.clock;
  MeterSession& session = meter.session;
  RecordingState& state = session.recording();
};

TEST_F(MeterSessionTest, ReadingsAreShownRecordedAndTestedForTheAlarm) {
  session.alarm().apply(GetAlarm("> 1"));
  session.alarm().setArmed(true);
  EXPECT_EQ(poll("DC  1.234 V  \r"), (std::vector<int>{0, 1}));  // idle: shown, alarm only
  EXPECT_EQ(value + " " + current + " " + alarm, "1,234 V 14:30:05 14:30:05");

  session.recorder().chooseChannel(0);  // clears the alarm time
  active = true;  // drawing on: the next reading starts the recording and is stored at once
  session.recorder().drawingSwitched();
  clock.advance(2);
  EXPECT_EQ(poll("DC  0.500 V  \r"), (std::vector<int>{1, 1}));
  EXPECT_TRUE(state.Running && !state.StartPending);
  EXPECT_EQ(start + " " + run + " " + alarm, "14:30:07 00:00:00 -- : -- : --");

  clock.advance(24 * 3600 + 5 * 60 + 17);  // whole days are dropped
  EXPECT_EQ(poll("DC  1.500 V  \r"), (std::vector<int>{2, 2}));
  EXPECT_EQ(run + " " + current + " " + alarm, "00:05:17 14:35:24 00:05:17");
  EXPECT_EQ(session.traces().value(0, 2), 1.5f);

  // A reading without value breaks the line and goes no further.
  state.LastX = state.LastY = state.LastDrawnX = state.LastDrawnY = 9;
  EXPECT_EQ(poll("DC   OL   V  \r"), (std::vector<int>{2, 2}));
  EXPECT_EQ(state.LastX + state.LastY + state.LastDrawnX + state.LastDrawnY, 0);
  state.Running = false;
  state.StartPending = true;  // a pending start happens even on an unusable reading
  poll("DC   OL   V  \r");
  EXPECT_TRUE(state.Running);
}

}  // namespace
}  // namespace kelvor
