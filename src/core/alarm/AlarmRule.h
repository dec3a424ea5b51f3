#pragma once

#include <string>
#include <string_view>

#include "core/alarm/AlarmCondition.h"
#include "core/alarm/AlarmSound.h"
#include "core/text/TimeText.h"

namespace kelvor {

// What one reading does to the alarm.
struct AlarmOutcome {
  bool beep = false;
  std::string alarmTime;  // the alarm-time label's new text (unchanged when nothing is due)
};

// The alarm rule for one usable reading. `armed` is the state of the alarm check box;
// `alarmTimeShown` is what the alarm-time label shows now. The comparison is strict, and a
// reading of exactly 0 never raises the alarm. The first alarm since the label was cleared
// to "-- : -- : --" shows TimeStr(now - startTime): the running time during a recording,
// the time of day while no start is set (startTime 0).
AlarmOutcome alarmOutcome(bool AlarmAbove, float AlarmLevel, bool armed, float value,
                          LocalSeconds now, LocalSeconds startTime,
                          std::string_view alarmTimeShown);

// The main window's alarm: the threshold of the last valid condition and the sound.
class AlarmRule {
 public:
  explicit AlarmRule(AlarmSound& sound) : sound_(sound) {}

  // Takes over the level and direction of a valid condition; an invalid one leaves the
  // previous ones in place. Returns whether the condition was valid (when it was not, the
  // caller switches the alarm off).
  bool apply(const AlarmCondition& condition);

  // Applies the rule to one usable reading: beeps once when it meets the condition and
  // returns the alarm-time label's new text.
  std::string testAlarm(bool armed, float value, LocalSeconds now, LocalSeconds startTime,
                        std::string_view alarmTimeShown);

  float AlarmLevel() const { return AlarmLevel_; }
  bool AlarmAbove() const { return AlarmAbove_; }

 private:
  AlarmSound& sound_;
  float AlarmLevel_ = 0.0f;
  bool AlarmAbove_ = false;
};

}  // namespace kelvor
