#pragma once

#include "core/Clock.h"

namespace kelvor {

// The local wall clock at one-second resolution.
class SystemClock : public Clock {
 public:
  LocalSeconds now() const override;
};

}  // namespace kelvor
