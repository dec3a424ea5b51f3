// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Clock.h"
#include "core/text/TimeText.h"

namespace kelvor {

class Recording;

// The recording's state as its readers see it: the current reading, the start, whether it
// runs, the active channel, "drawing active", "auto-scale" and the first alarm. Only its
// owner, a Recording, changes it.
class RecordingState {
 public:
  float currentValue() const { return currentValue_; }
  // The unit of the last complete answer.
  const std::string& currentUnit() const { return currentUnit_; }
  // None: no start set.
  const std::optional<Moment>& startTime() const { return startTime_; }
  // Drawing was switched on; the next reading starts a recording.
  bool startPending() const { return startPending_; }
  // A recording is in progress on the active channel.
  bool running() const { return running_; }
  int activeChannel() const { return activeChannel_; }
  // The palette index of the active channel.
  int activeColor() const { return activeColor_; }
  // "Drawing active": the user's choice, or ended by a full channel.
  bool active() const { return active_; }
  // The ranges follow the readings.
  bool autoScale() const { return autoScale_; }
  // The first alarm since the last reset or channel change: the running time, or the time of
  // day without a start.
  const std::optional<LocalSeconds>& firstAlarm() const { return firstAlarm_; }

  // A running time counts hours past a day; a time of day is a time of day.
  std::string alarmTimeText() const {
    if (!firstAlarm_) return NoTime;
    return alarmElapsed_ ? elapsedText(*firstAlarm_) : timeOfDayText(*firstAlarm_);
  }
  // Whole seconds since the start by the steady clock, whatever the wall clock did; 0
  // without a start.
  std::int64_t runSeconds(const Clock& clock) const {
    return startTime_ ? wholeSeconds(clock.steadyMs() - startTime_->steadyMs) : 0;
  }

 private:
  friend class Recording;

  float currentValue_ = 0.0f;
  std::string currentUnit_;
  std::optional<Moment> startTime_;
  bool startPending_ = false;
  bool running_ = false;
  int activeChannel_ = 0;
  int activeColor_ = 10;
  bool active_ = false;
  bool autoScale_ = false;
  std::optional<LocalSeconds> firstAlarm_;
  bool alarmElapsed_ = false;  // the first alarm is a running time
};

}  // namespace kelvor
