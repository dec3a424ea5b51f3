// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/RecordingRules.h"

#include <cstdio>

#include "core/alarm/AlarmRule.h"

namespace kelvor {

namespace {

constexpr LocalSeconds Day = 86400;
constexpr std::int64_t TickSlackMs = 500;

bool holds(const AlarmCondition& condition, std::optional<float> value) {
  return value && condition.valid &&
         alarmOutcome(condition.alarmAbove, condition.alarmLevel, true, *value, 0, std::nullopt)
             .beep;
}

// The first local date-time at `timeOfDayS` from `now` on (strictly after it when `after`).
LocalSeconds nextOccurrence(LocalSeconds now, int timeOfDayS, bool after) {
  const LocalSeconds at = now - ((now % Day) + Day) % Day + timeOfDayS;
  return at < now || (after && at == now) ? at + Day : at;
}

}  // namespace

RecordingRules::Verdict RecordingRules::feed(const Moment& tick, std::optional<float> watched) {
  switch (phase_) {
    case Phase::Waiting:
      if (!startDue(tick, watched)) return Verdict::Keep;
      startedMs_ = tick.steadyMs;
      stopAt_ = nextOccurrence(tick.wall.local(), stop_.timeOfDayS, true);
      if (stop_.kind == StopRule::Kind::When && holds(stop_.condition, watched)) {
        phase_ = Phase::Stopped;
        return Verdict::StartAndStop;
      }
      phase_ = Phase::Running;
      return Verdict::Start;
    case Phase::Running:
      if (!stopDue(tick, watched)) return Verdict::Keep;
      phase_ = Phase::Stopped;
      return Verdict::Stop;
    case Phase::Stopped:
      break;
  }
  return Verdict::Keep;
}

bool RecordingRules::startDue(const Moment& tick, std::optional<float> watched) {
  switch (start_.kind) {
    case StartRule::Kind::AtOnce:
      return true;
    case StartRule::Kind::AtTime:
      if (!startAt_) startAt_ = nextOccurrence(tick.wall.local(), start_.timeOfDayS, false);
      return tick.wall.local() >= *startAt_;
    case StartRule::Kind::When:
      return holds(start_.condition, watched);
  }
  return false;
}

bool RecordingRules::stopDue(const Moment& tick, std::optional<float> watched) const {
  switch (stop_.kind) {
    case StopRule::Kind::Never:
      return false;
    case StopRule::Kind::After:
      // In whole ticks: a tick a little early (a timer's jitter) is the one due.
      return tick.steadyMs - startedMs_ + TickSlackMs >= stop_.afterMs;
    case StopRule::Kind::AtTime:
      return tick.wall.local() >= stopAt_;
    case StopRule::Kind::When:
      return holds(stop_.condition, watched);
  }
  return false;
}

std::optional<Message> RecordingRules::waitingText() const {
  if (phase_ != Phase::Waiting || start_.kind == StartRule::Kind::AtOnce) return std::nullopt;
  return Message(MessageId::WaitingFor,
                 {start_.kind == StartRule::Kind::AtTime ? clockTimeText(start_.timeOfDayS)
                                                         : start_.conditionText});
}

std::string clockTimeText(int seconds) {
  char text[16];
  if (seconds % 60 == 0)
    std::snprintf(text, sizeof text, "%02d:%02d", seconds / 3600, seconds / 60 % 60);
  else
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  return text;
}

}  // namespace kelvor
