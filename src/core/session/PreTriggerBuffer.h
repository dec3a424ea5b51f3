// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "core/journal/JournalFormat.h"

namespace kelvor {

// The readings of the last seconds before a start rule fires, per channel, so the recording
// begins with what led up to its trigger. Rows older than the window by the steady clock go,
// and a channel never hands over more rows than one a second over the window (plus the
// trigger tick's), whatever its meter sends.
class PreTriggerBuffer {
 public:
  static constexpr int MaxSeconds = 600;

  // Keeps `seconds` (0 to MaxSeconds) before the trigger.
  explicit PreTriggerBuffer(int seconds);

  // A channel's row of the tick at `steadyMs`, while the start waits.
  void add(std::int64_t steadyMs, JournalRow row);
  // The rows of `channel` within the window before the trigger tick at `triggerMs`, oldest
  // first, their elapsed time relative to the trigger: negative before it, 0 for the trigger
  // tick's own row (so the recording's later ticks count on from there). Leaves the channel
  // empty.
  std::vector<JournalRow> take(int channel, std::int64_t triggerMs);

 private:
  struct Held {
    std::int64_t steadyMs;
    JournalRow row;
  };
  std::int64_t windowMs_;
  std::size_t maxRows_;
  std::map<int, std::deque<Held>> rows_;
};

}  // namespace kelvor
