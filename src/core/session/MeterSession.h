// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/Timer.h"
#include "core/acquisition/PollingCycle.h"
#include "core/acquisition/PortConfig.h"
#include "core/acquisition/SerialLink.h"
#include "core/alarm/AlarmRule.h"
#include "core/journal/JournalKeeper.h"
#include "core/scope/Recorder.h"
#include "core/scope/Recording.h"
#include "core/scope/TraceStore.h"
#include "core/session/ReadingHandler.h"
#include "core/session/RecordingDisplay.h"

namespace kelvor {

class ScopeController;

// The session's clocks: the device's, except that while a journal is replayed the steady
// clock stands at the reading being replayed.
class SessionClock : public Clock {
 public:
  explicit SessionClock(const Clock& device) : device_(device) {}
  std::int64_t steadyMs() const override { return replayed_ ? *replayed_ : device_.steadyMs(); }
  std::int64_t utcMs() const override { return device_.utcMs(); }
  int utcOffsetAt(std::int64_t utcMs) const override { return device_.utcOffsetAt(utcMs); }
  // Replaying at this steady time; none: live.
  void replayAt(std::optional<std::int64_t> steadyMs) { replayed_ = steadyMs; }

 private:
  const Clock& device_;
  std::optional<std::int64_t> replayed_;
};

// Told of every reading the session records (drawing active, usable or not), after the
// journal has taken it: its journal row, and whether it met the alarm condition.
class ReadingListener {
 public:
  virtual ~ReadingListener() = default;
  virtual void readingRecorded(const JournalRow& row, bool alarm) = 0;
  // After readingRecorded: this reading was the first alarm since the last reset or channel.
  virtual void firstAlarm(const JournalRow&) {}
  // Last, for every answer, recorded or not: its value (InvalidValue without one) and unit.
  virtual void readingTaken(float, const std::string&) {}
};

// The path of a reading from the port to its consumers, with or without a window: polls the
// meter, decodes the answer, journals it and tests it against the alarm. A window attaches
// its plot, which then draws every reading and sets how many readings make one stored sample
// of the trace store; without a plot nothing is stored, so nothing fills up and every reading
// goes on into the journal.
class MeterSession : private ReadingHooks {
 public:
  // Where the session shows what it does; none without a window.
  struct Views {
    ReadingView* reading = nullptr;
    RecorderView* recorder = nullptr;
  };
  // What the session talks to: the port, the read timer of the polling cycle, the clock and
  // the alarm's sound. The owner delivers the ticks of both timers.
  struct Devices {
    SerialLink& link;
    Timer& readTimer;
    const Clock& clock;
    AlarmSound& sound;
  };

  MeterSession(const PortConfig& config, const ConnectionState& connection, const Devices& devices,
               const Views& views, char decimalSeparator);
  MeterSession(const MeterSession&) = delete;
  MeterSession& operator=(const MeterSession&) = delete;

  void onPollTick() { cycle_.onPollTick(); }
  void onReadTick() { cycle_.onReadTick(); }
  // One complete answer of the meter (what a read tick hands on).
  void takeAnswer(std::string& answer);
  void addListener(ReadingListener* listener) { listeners_.push_back(listener); }
  void removeListener(ReadingListener* listener);

  // The plot draws the readings and follows the recording's changes.
  void attachPlot(ScopeController* plot);
  // Replays a journal's readings into a channel with the drawing and storing cadence of a
  // live recording that started at its first reading; the live recording's state stays.
  void replay(const std::vector<JournalRow>& rows, int channel);

  // The recording's state, changed only through its named operations.
  Recording& recording() { return recording_; }
  const RecordingState& state() const { return recording_.state(); }
  TraceStore& traces() { return traces_; }
  Recorder& recorder() { return recorder_; }
  AlarmRule& alarm() { return alarm_; }
  JournalKeeper& journal() { return journal_; }
  // "Auto-scale" switched on or off: the ranges follow the readings, and the plot its values.
  void setAutoScale(bool on);
  // Reset: ends the recording and its journal and empties all channels.
  void reset();
  // The channel button: the channel becomes the active one and is emptied.
  void chooseChannel(int index);
  // The alarm watches another channel than the session's own (a window with several
  // sources): the session's readings no longer test it, testWatchedValue does.
  void watchOtherChannel(bool other) { alarmElsewhere_ = other; }
  // A usable value of the watched channel, tested against the alarm.
  void testWatchedValue(float value);
  const PollingCycle& cycle() const { return cycle_; }
  MeterState& meterState() { return meterState_; }
  // The clock that the recorder and an attached plot go by.
  const Clock& clock() const { return clock_; }

 private:
  void recordingStarted() override;
  void DrawToScope() override;
  void AutoRangeY(float min, float max) override;
  void testAlarm(float value) override;
  void readingDecoded(const std::string& answer, const DecodedFrame& reading) override;
  // Every command that empties or replaces a channel ends with this.
  void redrawFromStore();
  // Readings per stored sample: the plot's.
  int storeInterval() const;

  const PortConfig& config_;
  SessionClock clock_;
  ReadingView noReadingView_;  // what shows nothing, when there is no window
  RecorderView noRecorderView_;
  ReadingView& readingView_;
  RecorderView& recorderView_;
  Recording recording_;
  RecordingDisplay display_;
  TraceStore traces_;
  Recorder recorder_;
  AlarmRule alarm_;
  JournalKeeper journal_;
  ReadingHandler handler_;
  MeterState meterState_;
  PollingCycle cycle_;
  ScopeController* plot_ = nullptr;
  std::vector<ReadingListener*> listeners_;
  int storeCounter_ = 0;                // readings drawn since the last stored sample
  std::optional<JournalRow> recorded_;  // the row of the answer being handled, if recorded
  bool firstAlarm_ = false;             // the answer being handled is the first alarm
  bool alarmElsewhere_ = false;
};

}  // namespace kelvor
