// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recording/MinMaxSummary.h"

#include <algorithm>

namespace kelvor {

namespace {
constexpr int BaseWidth = 1 << MinMaxSummary::BaseShift;
}

void MinMaxSummary::extend(const float* values, int count) {
  while (length_ < count) {
    ++length_;
    if (length_ % BaseWidth == 0) addBlock(values, length_);
  }
}

// The base block ending at `end` is complete: summarise it, then every wider block that it
// completes.
void MinMaxSummary::addBlock(const float* values, int end) {
  ValueRange block;
  for (int i = end - BaseWidth; i < end; ++i) block.add(values[i]);
  for (std::size_t level = 0;; ++level) {
    if (levels_.size() == level) levels_.emplace_back();
    std::vector<ValueRange>& blocks = levels_[level];
    blocks.push_back(block);
    if (blocks.size() % 2 != 0) return;
    ValueRange pair = blocks[blocks.size() - 2];
    pair.merge(block);
    block = pair;
  }
}

void MinMaxSummary::reserve(int count) {
  const std::size_t samples = static_cast<std::size_t>(std::max(count, 0));
  for (std::size_t level = 0; (samples >> (BaseShift + level)) > 0; ++level) {
    if (levels_.size() == level) levels_.emplace_back();
    levels_[level].reserve(samples >> (BaseShift + level));
  }
}

void MinMaxSummary::truncate(int count) {
  length_ = std::clamp(count, 0, length_);
  for (std::size_t level = 0; level < levels_.size(); ++level) {
    levels_[level].resize(static_cast<std::size_t>(length_) >> (BaseShift + level));
  }
}

// Single samples up to the first and from the last block boundary, then blocks bottom up:
// at each level an odd block at either end is taken whole, the rest goes one level up.
ValueRange MinMaxSummary::range(const float* values, int begin, int end) const {
  ValueRange found;
  if (end - begin < 2 * BaseWidth) {
    for (int i = begin; i < end; ++i) found.add(values[i]);
    return found;
  }
  for (; begin % BaseWidth != 0; ++begin) found.add(values[begin]);
  for (; end % BaseWidth != 0; --end) found.add(values[end - 1]);
  std::size_t first = static_cast<std::size_t>(begin) >> BaseShift;
  std::size_t last = static_cast<std::size_t>(end) >> BaseShift;  // one past
  for (std::size_t level = 0; first < last; ++level, first >>= 1, last >>= 1) {
    const std::vector<ValueRange>& blocks = levels_[level];
    if (first % 2 != 0) found.merge(blocks[first++]);
    if (last % 2 != 0) found.merge(blocks[--last]);
  }
  return found;
}

std::size_t MinMaxSummary::memoryBytes() const {
  std::size_t bytes = levels_.capacity() * sizeof(levels_[0]);
  for (const std::vector<ValueRange>& blocks : levels_)
    bytes += blocks.capacity() * sizeof(ValueRange);
  return bytes;
}

}  // namespace kelvor
