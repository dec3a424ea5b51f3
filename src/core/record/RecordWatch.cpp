// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/RecordWatch.h"

#include <algorithm>

namespace kelvor {

void RecordWatch::answered(std::int64_t nowMs) {
  if (readings_++ == 0) startMs_ = nowMs;
  // One reading a second: the duration is over when the next one would reach its end.
  const std::int64_t nextMs = (elapsedMs(nowMs) + PollMs / 2) / PollMs * PollMs + PollMs;
  if ((count_ > 0 && readings_ >= count_) || (durationMs_ > 0 && nextMs >= durationMs_))
    reached_ = true;
}

void RecordWatch::polled(std::int64_t nowMs) {
  // A silent meter still ends a recording of limited duration, one poll late.
  if (durationMs_ > 0 && elapsedMs(nowMs) >= durationMs_ + PollMs) done_ = true;
}

std::int64_t RecordWatch::remainingMs(std::int64_t nowMs) const {
  if (durationMs_ == 0) return -1;
  return std::max<std::int64_t>(0, durationMs_ - elapsedMs(nowMs));
}

}  // namespace kelvor
