#pragma once

#include "core/Clock.h"

namespace kelvor {

// The local wall clock, at one-second resolution and to the millisecond.
class SystemClock : public Clock {
 public:
  LocalSeconds now() const override;
  WallTime wallTime() const override;
};

}  // namespace kelvor
