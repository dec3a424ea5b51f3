// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/alarm/AlarmCondition.h"
#include "core/alarm/AlarmRule.h"
#include "core/alarm/AlarmSound.h"
#include "core/journal/JournalFormat.h"

namespace kelvor {

// The alarm of a meter recorded without a window: tests each journalled reading against the
// condition, beeps for each that meets it, and times the first from the journal's start.
class JournalAlarm {
 public:
  struct Verdict {
    bool alarm = false;  // the reading met the condition
    bool first = false;  // and was the first to since the journal's start
  };

  explicit JournalAlarm(AlarmSound& sound) : sound_(sound) {}
  // Armed with a valid condition; an invalid one leaves it unarmed.
  void arm(const AlarmCondition& condition) {
    condition_ = condition;
    armed_ = condition.valid;
  }
  Verdict test(const JournalRow& row) {
    if (!armed_) return {};
    const AlarmOutcome outcome = alarmOutcome(condition_.alarmAbove, condition_.alarmLevel, true,
                                              row.value, wholeSeconds(row.elapsedMs), firstAlarm_);
    if (outcome.beep) sound_.beeps(1);
    const bool first = outcome.firstAlarm != firstAlarm_;
    firstAlarm_ = outcome.firstAlarm;
    return {outcome.beep, first};
  }

 private:
  AlarmSound& sound_;
  AlarmCondition condition_;
  bool armed_ = false;
  std::optional<LocalSeconds> firstAlarm_;
};

}  // namespace kelvor
