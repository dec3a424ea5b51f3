// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/LiveRecording.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/alarm/AlarmCondition.h"
#include "core/publish/Publishing.h"
#include "core/record/RecordingSchedule.h"
#include "support/FakeGroup.h"

namespace kelvor {
namespace {

constexpr LocalSeconds StartOfTest = 1796515200 + 14 * 3600 + 30 * 60 + 5;  // 14:30:05

// One meter as every program runs it: a group of one on the tick, feeding the recording,
// journalling while it runs. The fixture keeps what the recording shows.
class LiveRecordingTest : public ::testing::Test,
                          public ReadingView,
                          public RecorderView,
                          public AlarmSound,
                          public ReadingListener {
 protected:
  LiveRecordingTest() {
    meter.reader.addListener(this);
    recording.setAutoScale(true);
  }
  void readingRecorded(const JournalRow& row) override {
    rows.push_back(std::to_string(row.elapsedMs));
    lastRow = row;
  }
  void showCurrentTime(const std::string& text) override { current = text; }
  void showStartTime(const std::string& text) override { start = text; }
  void showRunTime(const std::string& text) override { run = text; }
  void showAlarmTime(const std::string& text) override { alarm = text; }
  void beeps(int) override { ++beepCount; }
  // One tick `seconds` on, answered by `frame`; returns the rows journalled and the beeps so far.
  std::vector<int> poll(const std::string& frame, int seconds = 0) {
    meters.tick({frame}, seconds);
    alarmShown += recording.alarmed() ? 'A' : '-';
    return {static_cast<int>(rows.size()), beepCount};
  }
  void switchDrawing(bool on) { recording.recorder().setActive(on); }

  std::string current, start, run, alarm;
  std::string alarmShown;         // after each tick: A while the reading meets the condition
  std::vector<std::string> rows;  // the rows journalled: elapsed ms
  JournalRow lastRow;
  int beepCount = 0;
  testing::FakeGroup meters{StartOfTest, {{true, {}}}, *this, {this, this}};
  testing::FakeMeter& meter = *meters.meters.front();
  testing::FakeClock& clock = meters.clock;
  testing::FakeJournal& journal = meters.journals.front();
  LiveRecording& recording = meters.recording;
  const RecordingState& state = recording.state();
};

TEST_F(LiveRecordingTest, ReadingsAreTimedRecordedAndTestedForTheAlarm) {
  recording.alarm().apply(parseAlarmCondition("> 1"));
  recording.alarm().setArmed(true);
  EXPECT_EQ(poll("DC  1.234 V  \r"), (std::vector<int>{0, 1}));  // idle: shown, alarm only
  EXPECT_EQ(current + " " + alarm, "14:30:05 14:30:05");

  recording.recorder().chooseChannel(0);  // clears the alarm time
  // Drawing on: the next tick starts the recording.
  switchDrawing(true);
  EXPECT_EQ(poll("DC  0.500 V  \r", 2), (std::vector<int>{1, 1}));
  EXPECT_TRUE(state.running() && !state.startPending());
  EXPECT_EQ(start + " " + run + " " + alarm, "14:30:07 00:00:00 -- : -- : --");

  clock.advance(24 * 3600 + 5 * 60 + 17);  // running times count hours past a day
  EXPECT_EQ(poll("DC  1.500 V  \r"), (std::vector<int>{2, 2}));
  EXPECT_EQ(run + " " + current + " " + alarm, "24:05:17 14:35:24 24:05:17");
  EXPECT_EQ(lastRow.value, 1.5f);
  EXPECT_EQ(recording.traces().count(0), 2);

  // A reading without value is journalled, but tests no alarm and ends a shown one.
  EXPECT_EQ(poll("DC   OL   V  \r"), (std::vector<int>{3, 2}));
  switchDrawing(false);
  switchDrawing(true);  // a pending start happens even on an unusable reading
  poll("DC   OL   V  \r");
  EXPECT_TRUE(state.running());
  EXPECT_EQ(rows, (std::vector<std::string>{"0", "86717000", "86717000", "86717000"}));
  EXPECT_EQ(alarmShown, "A-A--");
  // Watching a channel without readings, the meter's readings leave the alarm alone.
  recording.watch(3);
  EXPECT_EQ(poll("DC  1.500 V  \r")[1], 2);
}

// Durations go by the steady clock, whatever the wall clock does: set back 30 s, forward an
// hour, the end and the start of daylight-saving time. Each reading a second later is a
// second further in the journal and the published message, and in the run time;
// the current time and the journal's time column show the true local time.
TEST_F(LiveRecordingTest, DurationsGoOnSmoothlyWhenTheWallClockSteps) {
  // The wall clock's step before each reading (set back before the change again, then an hour
  // forward), the time of day in Europe/Berlin.
  using Reading = std::pair<std::int64_t, const char*>;
  const std::pair<std::int64_t, std::vector<Reading>> recordings[] = {
      {1792889998,  // 2026-10-25 00:59:58 UTC: the end of daylight-saving time
       {Reading{0, "02:59:58"}, Reading{0, "02:59:59"}, Reading{0, "02:00:00"},
        Reading{-30000, "02:59:31"}, Reading{3600000, "02:59:32"}, Reading{0, "02:59:33"}}},
      {1774745998,  // 2026-03-29 00:59:58 UTC: its start
       {Reading{0, "01:59:58"}, Reading{0, "01:59:59"}, Reading{0, "03:00:00"},
        Reading{-30000, "01:59:31"}, Reading{3600000, "03:59:32"}}}};
  clock.setZone(testing::europeBerlinOffset);
  for (const auto& [startUtc, readings] : recordings) {
    recording.reset();
    clock.stepWall(startUtc * 1000 - clock.utcMs());
    switchDrawing(true);
    std::vector<std::string> got, expected;
    for (std::size_t i = 0; i < readings.size(); ++i) {
      const auto& [wallStep, timeOfDay] = readings[i];
      clock.stepWall(wallStep);
      poll("DC  1.000 V  \r", i > 0 ? 1 : 0);
      const std::string seconds = std::to_string(i);
      // The journal row's time of day and elapsed_s (after time and utc).
      const std::string line = journalLine(lastRow, journalStyleFor('.'));
      const auto elapsedAt = line.find(',', 20) + 1;
      const std::string json = readingJson(lastRow);  // and the message's "elapsed":…
      const auto jsonAt = json.find("\"elapsed\"");
      got.push_back(current + " " + run + " " + line.substr(11, 8) + " " +
                    line.substr(elapsedAt, line.find(',', elapsedAt) - elapsedAt) + " " +
                    json.substr(jsonAt, json.find(',', jsonAt) - jsonAt));
      expected.push_back(std::string(timeOfDay) + " " + timeOfDayText(i) + " " + timeOfDay + " " +
                         seconds + ".000 \"elapsed\":" + seconds + ".000");
    }
    EXPECT_EQ(got, expected);
    EXPECT_EQ(start, readings[0].second);
  }
}

// One journal a recording: readings while drawing is active, of every kind, go in at once;
// drawing off and on continues it, Reset ends it; a fault is told once and costs no reading.
TEST_F(LiveRecordingTest, EveryReadingWhileDrawingGoesIntoTheJournalOfItsRecording) {
  std::vector<int> faults;
  meter.reader.journal().setFaultHandler(
      [&](const JournalFault& fault) { faults.push_back(fault.error); });
  poll("DC  1.000 V  \r");  // drawing is off
  switchDrawing(true);
  poll("DC  2.000 V  \r", 2);
  poll("DC   OL   V  \r", 1);
  switchDrawing(false);
  poll("DC  3.000 V  \r");
  switchDrawing(true);
  clock.stepWall(-60000);  // set back a minute: the sync still comes ten seconds after the last
  poll("DC  4.000 V  \r", 9);
  recording.reset();
  EXPECT_EQ(
      journal.calls,
      (std::vector<std::string>{
          "open 2026-12-06_14-30-07_COM1.csv",
          // The header comes with the first row: a journal holds a reading or nothing.
          "+time;utc;elapsed_s;channel;value;unit;mode;status;raw\r\n"
          "2026-12-06 14:30:07;2026-12-06T14:30:07.000Z;0,000;1;2;V;DC;ok;\"DC  2.000 V  \"",
          "+2026-12-06 14:30:08;2026-12-06T14:30:08.000Z;1,000;1;;V;DC;overload;\"DC   OL   V  \"",
          "+2026-12-06 14:29:17;2026-12-06T14:29:17.000Z;10,000;1;4;V;DC;ok;\"DC  4.000 V  \"",
          "sync", "finish"}));

  journal.calls.clear();
  journal.failing = "+time";
  switchDrawing(true);
  poll("DC  5.000 V  \r", 1);
  poll("DC  6.000 V  \r", 1);
  EXPECT_EQ(journal.calls.size(), 3u);  // open, the failed header and row, abandon
  EXPECT_EQ(faults, std::vector<int>{28});
  EXPECT_EQ(lastRow.value, 6.0f);
  recording.reset();
  journal.failing.clear();
  switchDrawing(true);
  poll("DC  7.000 V  \r", 1);
  EXPECT_EQ(journal.calls[3], "open 2026-12-06_14-29-20_COM1.csv");
  recording.reset();  // with the setting "Journal" 0 a recording keeps none
  meter.reader.journal().setEnabled(false);
  switchDrawing(true);
  poll("DC  8.000 V  \r");
  EXPECT_EQ(journal.calls.size(), 6u);
}

// A scheduled start waits, told, while the meter is polled; the recording then begins with the
// pre-trigger readings at negative times, in the trace as in the journal, and a stop rule
// switches drawing off. Switching drawing off while it waits ends the wait; rules set while it
// waits replace the waiting ones.
TEST_F(LiveRecordingTest, AScheduledRecordingWaitsThenBeginsWithItsPreTriggerReadings) {
  RecordingSchedule schedule{RecordingSchedule::Start::When, "< 0,8", 2,
                             RecordingSchedule::Stop::After, "2s"};
  recording.schedule(schedule.rules().rules, schedule.preTriggerS);
  EXPECT_FALSE(recording.waitingText());  // drawing is off
  switchDrawing(true);
  poll("DC  1.500 V  \r", 1);
  switchDrawing(false);  // the wait ends with drawing
  poll("DC  1.400 V  \r", 1);
  EXPECT_FALSE(recording.waitingText());
  switchDrawing(true);
  schedule.startValue = "< 0,9";
  recording.schedule(schedule.rules().rules, schedule.preTriggerS);
  poll("DC  1.300 V  \r", 1);
  EXPECT_EQ(recording.waitingText(), Message(MessageId::WaitingFor, {"< 0,9"}));
  for (const char* volts : {"1.200", "1.100", "0.850", "0.700"})
    poll(std::string("DC  ") + volts + " V  \r", 1);
  EXPECT_TRUE(state.active() && state.running() && !recording.waitingText());
  poll("DC  0.500 V  \r", 1);  // two seconds after the trigger: the last reading
  EXPECT_FALSE(state.active() || state.running());
  poll("DC  0.400 V  \r", 1);
  EXPECT_EQ(rows, (std::vector<std::string>{"-2000", "-1000", "0", "1000", "2000"}));
  std::string trace;
  for (int n = 1; n <= recording.traces().count(0); ++n)
    trace += std::to_string(static_cast<int>(recording.traces().time(0, n))) + "s " +
             std::to_string(std::lround(recording.traces().value(0, n) * 100)) + " ";
  EXPECT_EQ(trace, "-2s 120 -1s 110 0s 85 1s 70 2s 50 ");
}

}  // namespace
}  // namespace kelvor
