#pragma once

#include "core/text/TimeText.h"

namespace kelvor {

// The one source of "now" for the whole program, so tests can run hours in milliseconds.
class Clock {
 public:
  virtual ~Clock() = default;
  // The local date-time at one-second resolution; never 0.
  virtual LocalSeconds now() const = 0;
};

}  // namespace kelvor
