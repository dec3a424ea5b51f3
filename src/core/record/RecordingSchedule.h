// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/session/RecordingRules.h"
#include "core/settings/StoredSettings.h"
#include "core/text/Message.h"

namespace kelvor {

// The window's start and stop rules as the user writes them, with the same forms as
// kelvor-record's options: a time of day "22:00", a condition "< 0,8", a duration "8h".
// Kept with the settings under "StartRule", "StartValue", "PreTrigger", "StopRule" and
// "StopValue".
struct RecordingSchedule {
  enum class Start { AtOnce, AtTime, When };
  enum class Stop { Never, After, AtTime, When };

  Start start = Start::AtOnce;
  std::string startValue;  // the time of day or the condition
  int preTriggerS = 0;     // 0 to 600, before a condition's start
  Stop stop = Stop::Never;
  std::string stopValue;  // the duration, the time of day or the condition

  // The rules, or why they cannot be: a message naming the value.
  struct Rules {
    std::optional<RecordingRules> rules;  // none: at once and never, as without a schedule
    std::optional<Message> error;
  };
  Rules rules() const;

  // A stored schedule whose values do not make rules is none: at once and never.
  static RecordingSchedule read(const StoredSettings::Lookup& lookup);
  std::vector<StoredSettings::KeyText> texts() const;
};

}  // namespace kelvor
