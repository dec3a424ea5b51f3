// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Clock.h"

namespace kelvor {

// The system's monotonic clock and its wall clock in the local time zone.
class SystemClock : public Clock {
 public:
  std::int64_t steadyMs() const override;
  std::int64_t utcMs() const override;
  int utcOffsetAt(std::int64_t utcMs) const override;
};

}  // namespace kelvor
