// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemClock.h"

#include <QDateTime>
#include <chrono>

namespace kelvor {

std::int64_t SystemClock::steadyMs() const {
  // CLOCK_MONOTONIC on Linux: unaffected by setting the time of day.
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::int64_t SystemClock::utcMs() const {
  return QDateTime::currentMSecsSinceEpoch();
}

int SystemClock::utcOffsetAt(std::int64_t utcMs) const {
  return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime).offsetFromUtc();
}

}  // namespace kelvor
