#include "core/scope/Recorder.h"

#include <gtest/gtest.h>

#include "core/scope/ValueLists.h"
#include "support/FakeClock.h"

namespace kelvor {
namespace {

class FakeRecorderView : public RecorderView {
 public:
  bool activeChecked() const override { return active; }
  void setActiveChecked(bool checked) override { active = checked; }
  void showStartTime(const std::string& text) override { start = text; }
  void showCurrentTime(const std::string& text) override { current = text; }
  void showRunTime(const std::string& text) override { run = text; }
  void showAlarmTime(const std::string& text) override { alarm = text; }
  void setReadingColor(std::uint32_t rgb) override { readingColor = rgb; }

  bool active = false;
  std::string start, current, run, alarm;
  std::uint32_t readingColor = 0;
};

constexpr LocalSeconds Noon = 20793LL * 86400 + 12 * 3600;

class RecorderTest : public ::testing::Test {
 protected:
  // The user checks or unchecks "drawing active".
  void clickActive(bool checked) {
    view.active = checked;
    recorder.chkActive_Click();
  }
  void fill(int channel, int samples) {
    for (int i = 1; i <= samples; ++i) store.setSample(channel, i, 1.0f, static_cast<float>(i));
    store.setCount(channel, samples);
  }

  RecordingState state;
  TraceStore store;
  testing::FakeClock clock{Noon};
  FakeRecorderView view;
  Recorder recorder{state, store, clock, view};
};

TEST_F(RecorderTest, CheckingArmsAndUncheckingEndsTheRecording) {
  clickActive(true);
  EXPECT_TRUE(state.StartPending);
  EXPECT_FALSE(state.Running);
  EXPECT_EQ(state.StartTime, Noon);

  state.StartPending = false;  // the next reading started it
  state.Running = true;
  clickActive(false);
  EXPECT_FALSE(state.Running);

  // A start time that is set stays when drawing is checked again.
  clock.advance(60);
  clickActive(true);
  EXPECT_EQ(state.StartTime, Noon);
}

TEST_F(RecorderTest, SamplesAreStoredWithSecondsSinceTheStart) {
  state.StartTime = Noon;
  state.ActiveChannel = 2;
  const std::vector<std::pair<int, float>> readings = {{0, 0.5f}, {6, 0.75f}, {12, -1.0f}};
  for (const auto& [seconds, value] : readings) {
    clock.set(Noon + seconds);
    state.CurrentValue = value;
    recorder.SaveMesswert();
  }
  ASSERT_EQ(store.count(2), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(store.value(2, i + 1), readings[static_cast<std::size_t>(i)].second);
    EXPECT_EQ(store.time(2, i + 1),
              static_cast<float>(readings[static_cast<std::size_t>(i)].first));
  }
  EXPECT_EQ(store.count(0), 0);
}

TEST_F(RecorderTest, AFullChannelEndsTheRecordingAndKeepsItsSamples) {
  fill(0, TraceStore::LiveCapacity - 1);
  clickActive(true);
  state.Running = true;
  state.StartPending = false;
  state.CurrentValue = 2.0f;

  recorder.SaveMesswert();  // takes the last free slot
  EXPECT_EQ(store.count(0), TraceStore::LiveCapacity);
  EXPECT_TRUE(view.active);

  recorder.SaveMesswert();  // would take slot 15 999
  EXPECT_EQ(store.count(0), TraceStore::LiveCapacity);
  EXPECT_FALSE(view.active);
  EXPECT_FALSE(state.Running);
  EXPECT_EQ(store.value(0, TraceStore::LiveCapacity), 2.0f);
}

TEST_F(RecorderTest, ChoosingAChannelEmptiesItAndKeepsTheOthers) {
  fill(1, 10);
  fill(3, 20);
  state.LastX = state.LastDrawnY = 5;
  view.alarm = "00:01:00";
  recorder.optColor_Click(3);
  EXPECT_EQ(state.ActiveChannel, 3);
  EXPECT_EQ(state.ActiveColor, 9);
  EXPECT_EQ(store.count(3), 0);
  EXPECT_EQ(store.count(1), 10);
  EXPECT_EQ(state.LastX + state.LastDrawnY, 0);
  EXPECT_EQ(view.readingColor, 0x0000FFu);
  EXPECT_EQ(view.alarm, Recorder::NoTime);
  EXPECT_EQ(view.start, "");  // not recording: the time labels stay
}

TEST_F(RecorderTest, ChoosingAChannelWhileRecordingRestartsTheTimeOrigin) {
  clickActive(true);
  state.StartPending = false;
  state.Running = true;
  state.StoreCounter = 3;
  clock.advance(125);
  recorder.optColor_Click(5);
  EXPECT_EQ(state.StartTime, Noon + 125);
  EXPECT_TRUE(state.Running);
  EXPECT_EQ(state.StoreCounter, 3);
  EXPECT_EQ(view.start, "12:02:05");
  EXPECT_EQ(view.current, "12:02:05");
  EXPECT_EQ(view.run, "00:00:00");
  EXPECT_EQ(view.readingColor, paletteRgb(14));
}

TEST_F(RecorderTest, ResetEmptiesEverythingAndEndsTheRecording) {
  for (int ch = 0; ch < TraceStore::Channels; ++ch) fill(ch, ch + 1);
  clickActive(true);
  state.Running = true;
  recorder.reset();
  for (int ch = 0; ch < TraceStore::Channels; ++ch) EXPECT_EQ(store.count(ch), 0);
  EXPECT_FALSE(view.active);
  EXPECT_FALSE(state.Running);
  EXPECT_EQ(state.StartTime, 0);
  EXPECT_EQ(view.start, Recorder::NoTime);
  EXPECT_EQ(view.run, Recorder::NoTime);
  EXPECT_EQ(view.alarm, Recorder::NoTime);
  // Values stay in their slots: only the counts say what is there.
  EXPECT_EQ(store.value(5, 6), 1.0f);
}

}  // namespace
}  // namespace kelvor
