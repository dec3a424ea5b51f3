// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/alarm/AlarmCondition.h"
#include "core/alarm/AlarmSound.h"
#include "core/recording/Recording.h"
#include "core/text/TimeText.h"

namespace kelvor {

// What one reading does to the alarm.
struct AlarmOutcome {
  bool beep = false;
  std::optional<LocalSeconds> firstAlarm;  // the first alarm (unchanged when nothing is due)
};

// The alarm rule for one usable reading. `armed` tells whether the alarm is switched on;
// `firstAlarm` is the recording's first alarm so far. The comparison is strict, and a
// reading of exactly 0 never raises the alarm. The first alarm since it was cleared is `shown`.
AlarmOutcome alarmOutcome(bool alarmAbove, float alarmLevel, bool armed, float value,
                          LocalSeconds shown, std::optional<LocalSeconds> firstAlarm);

// The alarm: the threshold of the last valid condition, whether it is switched on, and the
// sound.
class AlarmRule {
 public:
  explicit AlarmRule(AlarmSound& sound) : sound_(sound) {}

  // Takes over the level and direction of a valid condition; an invalid one leaves the
  // previous ones in place. Returns whether the condition was valid (when it was not, the
  // caller switches the alarm off).
  bool apply(const AlarmCondition& condition);
  void setArmed(bool armed) { armed_ = armed; }

  // Applies the rule to one usable reading: beeps once when it meets the condition, and the
  // first alarm since the recording's alarm time was cleared sets that time: the running
  // time of a recording, the time of day while no start is set. Returns whether the alarm
  // time changed.
  bool testAlarm(float value, const Clock& clock, Recording& recording);

  // Whether the last reading tested met the condition (and beeped).
  bool alarmed() const { return alarmed_; }
  float alarmLevel() const { return AlarmLevel_; }
  bool alarmAbove() const { return AlarmAbove_; }
  bool armed() const { return armed_; }

 private:
  AlarmSound& sound_;
  float AlarmLevel_ = 0.0f;
  bool AlarmAbove_ = false;
  bool armed_ = false;
  bool alarmed_ = false;
};

}  // namespace kelvor
