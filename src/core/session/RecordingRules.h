// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/Clock.h"
#include "core/alarm/AlarmCondition.h"
#include "core/text/Message.h"

namespace kelvor {

// When a recording starts.
struct StartRule {
  enum class Kind { AtOnce, AtTime, When };
  Kind kind = Kind::AtOnce;
  int timeOfDayS = 0;         // AtTime: seconds after local midnight
  AlarmCondition condition;   // When: on the watched channel's value
  std::string conditionText;  // When: as the user gave it, for the waiting text
};

// When a started recording stops.
struct StopRule {
  enum class Kind { Never, After, AtTime, When };
  Kind kind = Kind::Never;
  std::int64_t afterMs = 0;  // After: from the tick that started the recording
  int timeOfDayS = 0;        // AtTime: seconds after local midnight
  AlarmCondition condition;  // When
};

// Decides, tick by tick, when a recording starts and stops. A condition holds as the alarm's
// does: strictly beyond its level, never for a reading of exactly 0 or a tick without a usable
// value. Durations count on the steady clock. A time of day is the local wall clock's: the
// start waits for the first time the local date-time reaches its next occurrence (at or after
// the first tick), so a time the clocks skip in spring starts at the first tick after the
// skip, the hour repeated in autumn starts once, at its first pass (a start set up between
// the two passes waits for the next day), and a wall clock set back starts nothing again: each
// rule fires once. A stop at a time of day is its next occurrence
// after the start. The stop condition is tested on every reading of the recording, the one
// that started it included: when that reading already meets it, the recording starts and
// stops on the same tick, and holds its pre-trigger readings and the trigger reading alone.
class RecordingRules {
 public:
  // What a tick does.
  enum class Verdict { Keep, Start, Stop, StartAndStop };

  RecordingRules(StartRule start, StopRule stop) : start_(std::move(start)), stop_(stop) {}

  // One tick: its moment and the watched channel's usable value, if it has one.
  Verdict feed(const Moment& tick, std::optional<float> watched);

  bool waiting() const { return phase_ == Phase::Waiting; }
  bool stopped() const { return phase_ == Phase::Stopped; }
  // "wartet auf 22:00", "wartet auf < 0,8": while the start waits for a time or a condition.
  std::optional<Message> waitingText() const;

 private:
  enum class Phase { Waiting, Running, Stopped };
  bool startDue(const Moment& tick, std::optional<float> watched);
  bool stopDue(const Moment& tick, std::optional<float> watched) const;

  StartRule start_;
  StopRule stop_;
  Phase phase_ = Phase::Waiting;
  std::optional<LocalSeconds> startAt_;  // AtTime: fixed by the first tick
  std::int64_t startedMs_ = 0;
  LocalSeconds stopAt_ = 0;
};

// "22:00", or "22:00:30" when the seconds are not zero.
std::string clockTimeText(int seconds);

}  // namespace kelvor
