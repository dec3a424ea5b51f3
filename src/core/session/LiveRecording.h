// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/alarm/AlarmRule.h"
#include "core/journal/JournalFormat.h"
#include "core/plot/TraceView.h"
#include "core/recording/Recorder.h"
#include "core/recording/Recording.h"
#include "core/recording/TraceStore.h"
#include "core/session/MeterGroup.h"
#include "core/session/ReadingView.h"
#include "core/session/RecordingDisplay.h"
#include "core/session/RecordingGate.h"

namespace kelvor {

// The window's recording: "drawing active", the six channels' trace store and the alarm, fed
// by its group's tick for every channel alike. While it runs, the group's meters journal;
// every tick's usable readings are drawn, and every store interval they become one sample of
// each channel, all at the tick's time since the start. A store that fills up keeps every other
// sample and stores half as often from then on, so a recording never ends by itself. The alarm
// tests the watched channel. With a schedule, a start waits (the meters polled, nothing
// journalled) for its time or condition, and the recording then begins with the readings of
// the pre-trigger seconds, at negative times; a stop rule switches drawing off.
class LiveRecording : public MeterGroup::TickListener, private RecordingListener {
 public:
  // Where the recording shows what it does; none without a window.
  struct Views {
    ReadingView* reading = nullptr;
    RecorderView* recorder = nullptr;
  };

  LiveRecording(const Clock& clock, AlarmSound& sound, const Views& views);
  ~LiveRecording() override;
  LiveRecording(const LiveRecording&) = delete;
  LiveRecording& operator=(const LiveRecording&) = delete;

  // The plot draws the readings and the store.
  void attachPlot(TraceView* plot) { plot_ = plot; }
  // The group whose ticks feed `channels` (from 0); none: nothing feeds the recording. Its
  // meters journal while the recording runs. The owner hands on the group's ticks, and
  // detaches the group (nullptr) before its meters go.
  void attachGroup(MeterGroup* group, std::vector<int> channels);
  const std::vector<int>& channels() const { return channels_; }
  // Readings per stored sample, as the plot's duration asks.
  void setStoreInterval(int readings) { storeInterval_ = readings < 1 ? 1 : readings; }
  // Ticks per stored sample: the plot's interval, doubled each time the store filled up.
  int storeInterval() const { return storeInterval_ * thinning_; }

  // The start and stop rules of each recording from now on ("drawing active" switched on);
  // none: it starts with the next tick and runs until switched off. A start that waits takes
  // new rules at once; a running recording keeps its own.
  void schedule(std::optional<RecordingRules> rules, int preTriggerS);
  // What a start waits for ("wartet auf 22:00"); nothing while none waits.
  std::optional<Message> waitingText() const;

  // The channel (from 0) the alarm watches.
  void watch(int channel) { watched_ = channel; }
  int watched() const { return watched_; }
  // The watched channel's latest reading met the armed alarm condition.
  bool alarmed() const { return alarmed_; }

  Recording& recording() { return recording_; }
  const RecordingState& state() const { return recording_.state(); }
  TraceStore& traces() { return traces_; }
  Recorder& recorder() { return recorder_; }
  AlarmRule& alarm() { return alarm_; }
  const Clock& clock() const { return clock_; }

  // "Auto-scale" switched on or off: the ranges follow the readings, and the plot its values.
  void setAutoScale(bool on);
  // Reset: ends the recording and its journals and empties all channels.
  void reset();
  // A channel button with one meter: it records into `channel` from now on, emptied.
  void chooseChannel(int channel);
  // Replays a journal's readings into a channel with the drawing and storing cadence of a
  // live recording that started at its first reading; the live recording's state stays.
  void replay(const std::vector<JournalRow>& rows, int channel);

  void tickStarted(const Moment& tick) override;
  void tickDone(const Moment& tick, const TickReadings& readings) override;

 private:
  void recordingChanged(RecordingChange change, const RecordingState& state) override;
  // A usable value of `channel` at `seconds`: drawn, stored when `store`, ranged.
  void takeValue(int channel, std::int64_t seconds, float value, const std::string& unit,
                 bool store);
  // Keeps every other sample of the channels fed.
  void thin();
  void testAlarm(const TickReadings& readings);
  // The gate's verdict on a tick: a start begins the run with the pre-trigger readings; a
  // stop is kept for the end of the tick, whose readings still belong to the recording.
  bool passToGate(const Moment& tick, const TickReadings& readings);
  void takePreTrigger(const std::vector<JournalRow>& rows);
  void redrawFromStore();

  const Clock& clock_;
  ReadingView noReadingView_;  // what shows nothing, when there is no window
  RecorderView noRecorderView_;
  ReadingView& readingView_;
  RecorderView& recorderView_;
  Recording recording_;
  RecordingDisplay display_;
  TraceStore traces_;
  Recorder recorder_;
  AlarmRule alarm_;
  TraceView* plot_ = nullptr;
  MeterGroup* group_ = nullptr;
  std::vector<int> channels_;
  int storeInterval_ = 1;
  int thinning_ = 1;  // doubled each time the store filled up
  int ticks_ = 0;     // since the last stored sample
  int watched_ = 0;
  bool alarmed_ = false;
  bool startToShow_ = false;  // the recording started with the tick being done
  std::optional<RecordingRules> rules_;
  int preTriggerS_ = 0;
  std::unique_ptr<RecordingGate> gate_;  // while a scheduled recording waits or runs
  std::vector<RecordingGate::Change> gateChanges_;
};

}  // namespace kelvor
