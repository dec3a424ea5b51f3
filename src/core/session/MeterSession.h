#pragma once

#include <string>

#include "core/Clock.h"
#include "core/Timer.h"
#include "core/acquisition/PollingCycle.h"
#include "core/acquisition/PortConfig.h"
#include "core/acquisition/ReadingHandler.h"
#include "core/acquisition/SerialLink.h"
#include "core/alarm/AlarmRule.h"
#include "core/scope/Recorder.h"
#include "core/scope/RecordingState.h"
#include "core/scope/TraceStore.h"

namespace kelvor {

class ScopeController;

// The path of a reading from the port to its consumers, with or without a window: polls the
// meter, decodes the answer, records it into the trace store and tests it against the alarm.
// A window attaches its plot, which then draws every reading and sets how many readings make
// one stored sample; without a plot every reading is stored.
class MeterSession : private ReadingHooks {
 public:
  // Where the session shows what it does.
  struct Views {
    ReadingView& reading;
    RecorderView& recorder;
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

  void onPollTick() { cycle_.onPollTick(); }
  void onReadTick() { cycle_.onReadTick(); }
  // One complete answer of the meter (what a read tick hands on).
  void takeAnswer(std::string& answer) { handler_.Messung(answer); }

  void attachPlot(ScopeController* plot) { plot_ = plot; }

  RecordingState& recording() { return recording_; }
  TraceStore& traces() { return traces_; }
  Recorder& recorder() { return recorder_; }
  AlarmRule& alarm() { return alarm_; }
  const PollingCycle& cycle() const { return cycle_; }
  MeterState& meterState() { return meterState_; }

 private:
  void recordingStarted() override;
  void DrawToScope() override;
  void AutoRangeY(float min, float max) override;
  void testAlarm(float value) override;
  // Readings per stored sample: the plot's, or every reading without one.
  int storeInterval() const;

  const Clock& clock_;
  RecorderView& recorderView_;
  RecordingState recording_;
  TraceStore traces_;
  Recorder recorder_;
  AlarmRule alarm_;
  ReadingHandler handler_;
  MeterState meterState_;
  PollingCycle cycle_;
  ScopeController* plot_ = nullptr;
};

}  // namespace kelvor
