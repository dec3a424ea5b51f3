#pragma once

#include <cstdint>

#include "core/text/TimeText.h"

namespace kelvor {

// An instant to the millisecond: since 1970-01-01 00:00:00 UTC, with the local wall clock's
// offset from UTC at that instant.
struct WallTime {
  std::int64_t utcMs = 0;
  int offsetSeconds = 0;
};

// The one source of "now" for the whole program, so tests can run hours in milliseconds.
class Clock {
 public:
  virtual ~Clock() = default;
  // The local date-time at one-second resolution; never 0.
  virtual LocalSeconds now() const = 0;
  // The same instant to the millisecond; a clock that knows no more takes now() as UTC.
  virtual WallTime wallTime() const { return {now() * 1000, 0}; }
};

}  // namespace kelvor
