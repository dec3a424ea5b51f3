// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/session/RecordingRules.h"

namespace kelvor {

// kelvor-record's start and stop options, each parsed from its value alone: the rule, or one
// line naming the option, its value and what is wrong with it.
struct ParsedStart {
  StartRule rule;
  std::string error;  // empty: the value is fine
};
struct ParsedStop {
  StopRule rule;
  std::string error;
};
struct ParsedPreTrigger {
  int seconds = 0;
  std::string error;
};

// --start-at HH:MM[:SS]: the next time of day in local time.
ParsedStart parseStartAt(const std::string& text);
// --start-when CONDITION: as the alarm's, e.g. "< 0,8".
ParsedStart parseStartWhen(const std::string& text);
// --pre-trigger SECONDS: 0 to 600.
ParsedPreTrigger parsePreTrigger(const std::string& text);
// --stop-after DURATION: seconds, or with s, m or h (90, 10s, 5m, 8h).
ParsedStop parseStopAfter(const std::string& text);
// --stop-at HH:MM[:SS]
ParsedStop parseStopAt(const std::string& text);
// --stop-when CONDITION
ParsedStop parseStopWhen(const std::string& text);

}  // namespace kelvor
