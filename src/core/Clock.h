// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/text/TimeText.h"

namespace kelvor {

// An instant of the wall clock to the millisecond: since 1970-01-01 00:00:00 UTC, with the
// local time zone's offset from UTC at that instant.
struct WallTime {
  std::int64_t utcMs = 0;
  int offsetSeconds = 0;

  // The local date-time at one-second resolution.
  LocalSeconds local() const {
    const std::int64_t ms = utcMs + offsetSeconds * std::int64_t{1000};
    return ms / 1000 - (ms % 1000 < 0 ? 1 : 0);
  }
  bool operator==(const WallTime& other) const {
    return utcMs == other.utcMs && offsetSeconds == other.offsetSeconds;
  }
};

// One reading of both clocks: the steady one for durations, the wall clock for the time of
// day.
struct Moment {
  std::int64_t steadyMs = 0;
  WallTime wall;

  bool operator==(const Moment& other) const {
    return steadyMs == other.steadyMs && wall == other.wall;
  }
};

// Whole seconds of a duration, to the nearest second.
inline std::int64_t wholeSeconds(std::int64_t ms) {
  const std::int64_t shifted = ms + 500;
  return shifted / 1000 - (shifted % 1000 < 0 ? 1 : 0);
}

// The one source of "now" for the whole program, so tests can run hours in milliseconds.
// Two clocks: a steady one that only ever goes forward, for every duration, and the wall
// clock, which may be set back or forward (by the user, by a time server) and whose local
// time jumps at the changes of daylight-saving time, for what is a time of day.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds of the steady clock from an arbitrary origin.
  virtual std::int64_t steadyMs() const = 0;
  // The wall clock now: milliseconds since 1970-01-01 00:00:00 UTC.
  virtual std::int64_t utcMs() const = 0;
  // The local time zone's offset from UTC at an instant of the wall clock.
  virtual int utcOffsetAt(std::int64_t utcMs) const = 0;

  WallTime wallTimeAt(std::int64_t utc) const { return {utc, utcOffsetAt(utc)}; }
  WallTime wallTime() const { return wallTimeAt(utcMs()); }
  Moment moment() const { return {steadyMs(), wallTime()}; }
};

}  // namespace kelvor
