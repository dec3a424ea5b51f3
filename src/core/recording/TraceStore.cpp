// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recording/TraceStore.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace kelvor {

TraceStore::TraceStore(int lastSlot) : lastSlot_(std::max(lastSlot, 1)) {
  const std::size_t initial = index(std::min(lastSlot_, LastSlot)) + 1;
  for (std::size_t ch = 0; ch < Channels; ++ch) {
    values_[ch].assign(initial, 0.0f);
    times_[ch].assign(initial, 0.0f);
    summaries_[ch].reserve(static_cast<int>(initial));
  }
}

void TraceStore::makeRoom(int channel, int slot) {
  std::vector<float>& values = values_[index(channel)];
  if (index(slot) < values.size()) return;
  const std::size_t size =
      std::min(std::max(index(slot) + 1, values.size() * 2), index(lastSlot_) + 1);
  values.resize(size, 0.0f);
  times_[index(channel)].resize(size, 0.0f);
}

void TraceStore::setCount(int channel, int count) {
  assert(count >= 0 && count <= lastSlot_);
  count = std::clamp(count, 0, lastSlot_);
  makeRoom(channel, count);
  counts_[index(channel)] = count;
  MinMaxSummary& summary = summaries_[index(channel)];
  summary.truncate(count);
  summary.extend(values(channel) + 1, count);
  int& ordered = ordered_[index(channel)];
  ordered = std::min(ordered, count);
  const float* t = times(channel);
  while (ordered < count && std::isfinite(t[ordered + 1]) &&
         (ordered == 0 || t[ordered + 1] >= t[ordered])) {
    ++ordered;
  }
}

void TraceStore::setSample(int channel, int slot, float value, float time) {
  assert(slot >= 1 && slot <= lastSlot_);
  if (slot < 1 || slot > lastSlot_) return;
  makeRoom(channel, slot);
  values_[index(channel)][index(slot)] = value;
  times_[index(channel)][index(slot)] = time;
  summaries_[index(channel)].truncate(slot - 1);
  int& ordered = ordered_[index(channel)];
  ordered = std::min(ordered, slot - 1);
}

void TraceStore::clearAll() {
  for (int ch = 0; ch < Channels; ++ch) setCount(ch, 0);
}

void TraceStore::keepEveryOther(int channel) {
  const int kept = (count(channel) + 1) / 2;
  for (int slot = 2; slot <= kept; ++slot)
    setSample(channel, slot, value(channel, 2 * slot - 1), time(channel, 2 * slot - 1));
  setCount(channel, kept);
}

}  // namespace kelvor
