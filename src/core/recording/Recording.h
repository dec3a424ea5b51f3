// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/InvalidValue.h"
#include "core/recording/RecordingState.h"

namespace kelvor {

// What changed in a recording.
enum class RecordingChange {
  Reading,     // a new current value (and unit)
  Started,     // the pending start happened: the recording runs
  Active,      // "drawing active" switched on or off, or a start made pending again
  Channel,     // another active channel; its first alarm is cleared
  AutoScale,   // "auto-scale" switched on or off
  FirstAlarm,  // the first alarm was set
  Cleared,     // reset: no start, no run, no first alarm, drawing off
  Replaying,   // a journal is being replayed into a channel
  Restored,    // the replay ended: the state before it is back
};

// Told of every change of a recording, after it was made.
class RecordingListener {
 public:
  virtual ~RecordingListener() = default;
  virtual void recordingChanged(RecordingChange change, const RecordingState& state) = 0;
};

// The one owner of a recording's state: every change goes through one of these operations,
// and every listener hears of it.
class Recording {
 public:
  const RecordingState& state() const { return state_; }
  void addListener(RecordingListener* listener) { listeners_.push_back(listener); }
  void removeListener(RecordingListener* listener);

  // A complete answer of the meter: its value (InvalidValue without one) and unit.
  void takeReading(float value, const std::string& unit);
  // The pending start happens now.
  void beginRun(const Moment& now);
  // "Drawing active" on: the next reading starts a recording, timed from an earlier start if
  // one is set. Off: the recording ends.
  void setActive(bool active, const Moment& now);
  // The channel becomes the active one; a running recording goes on in it from `now`.
  void switchChannel(int channel, const Moment& now);
  void setAutoScale(bool on);
  void setFirstAlarm(LocalSeconds shown);
  // Ends any recording and forgets its start and first alarm.
  void clear();
  // A replay into `channel` as a recording that started at `start`; restore() ends it.
  void startReplay(int channel, const Moment& start);
  void restore(const RecordingState& saved);

 private:
  void selectChannel(int channel);
  void notify(RecordingChange change);

  RecordingState state_;
  std::vector<RecordingListener*> listeners_;
};

}  // namespace kelvor
