// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/PreTriggerBuffer.h"

#include <algorithm>
#include <utility>

namespace kelvor {

PreTriggerBuffer::PreTriggerBuffer(int seconds)
    : windowMs_(std::clamp(seconds, 0, MaxSeconds) * std::int64_t{1000}),
      maxRows_(static_cast<std::size_t>(std::clamp(seconds, 0, MaxSeconds)) + 1) {}

// Held a tick longer than the window: a reading comes during its tick, after the tick's
// moment, so the newest one may be up to a tick later than the trigger.
constexpr std::int64_t SlackMs = 1000;

void PreTriggerBuffer::add(std::int64_t steadyMs, JournalRow row) {
  std::deque<Held>& held = rows_[row.channel];
  held.push_back({steadyMs, std::move(row)});
  while (held.size() > maxRows_ + 1 || held.front().steadyMs < steadyMs - windowMs_ - SlackMs)
    held.pop_front();
}

std::vector<JournalRow> PreTriggerBuffer::take(int channel, std::int64_t triggerMs) {
  std::vector<JournalRow> rows;
  const auto found = rows_.find(channel);
  if (found == rows_.end()) return rows;
  std::deque<Held>& channelRows = found->second;
  while (channelRows.size() > maxRows_) channelRows.pop_front();
  for (Held& held : channelRows) {
    if (held.steadyMs < triggerMs - windowMs_) continue;
    held.row.elapsedMs = held.steadyMs - triggerMs;
    rows.push_back(std::move(held.row));
  }
  rows_.erase(found);
  return rows;
}

}  // namespace kelvor
