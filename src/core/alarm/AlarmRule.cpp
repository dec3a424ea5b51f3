// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/alarm/AlarmRule.h"

#include "core/InvalidValue.h"

namespace kelvor {

AlarmOutcome alarmOutcome(bool alarmAbove, float alarmLevel, bool armed, float value,
                          LocalSeconds shown, std::optional<LocalSeconds> firstAlarm) {
  AlarmOutcome outcome;
  outcome.firstAlarm = firstAlarm;
  // A frame without a number never gets here from the reading handler; should one slip
  // through, its marker value must not count as a reading far below any threshold.
  if (!armed || value == 0.0f || value == InvalidValue) return outcome;
  const bool holds = alarmAbove ? value > alarmLevel : value < alarmLevel;
  if (!holds) return outcome;
  outcome.beep = true;
  if (!firstAlarm) outcome.firstAlarm = shown;
  return outcome;
}

bool AlarmRule::apply(const AlarmCondition& condition) {
  if (!condition.valid) return false;
  AlarmLevel_ = condition.alarmLevel;
  AlarmAbove_ = condition.alarmAbove;
  return true;
}

bool AlarmRule::testAlarm(float value, const Clock& clock, Recording& recording) {
  const RecordingState& state = recording.state();
  const LocalSeconds shown = state.startTime() ? state.runSeconds(clock) : clock.wallTime().local();
  AlarmOutcome outcome =
      alarmOutcome(AlarmAbove_, AlarmLevel_, armed_, value, shown, state.firstAlarm());
  alarmed_ = outcome.beep;
  if (alarmed_) sound_.beeps(1);
  // The rule only ever sets a first alarm; clearing it is the recording's.
  if (!outcome.firstAlarm || outcome.firstAlarm == state.firstAlarm()) return false;
  recording.setFirstAlarm(*outcome.firstAlarm);
  return true;
}

}  // namespace kelvor
