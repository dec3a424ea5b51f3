// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "core/recording/ValueRange.h"

namespace kelvor {

// The value ranges of a channel's samples in aligned blocks of doubling widths (8, 16, 32,
// ...), so the range of any run of samples is found from a few blocks instead of every
// sample. It follows the samples as they are appended; rewriting one cuts it back there.
class MinMaxSummary {
 public:
  static constexpr int BaseShift = 3;  // the narrowest blocks hold 2^3 samples

  // Samples summarised: the first length() of the channel.
  int length() const { return length_; }
  // Takes in values[length()] .. values[count - 1].
  void extend(const float* values, int count);
  // Room for `count` samples, so following them that far allocates nothing.
  void reserve(int count);
  // Forgets everything from sample `count` on.
  void truncate(int count);

  // The range of values[begin] .. values[end - 1]; end at most length().
  ValueRange range(const float* values, int begin, int end) const;

  std::size_t memoryBytes() const;

 private:
  void addBlock(const float* values, int end);

  int length_ = 0;
  std::vector<std::vector<ValueRange>> levels_;  // level k: blocks of 2^(BaseShift + k)
};

}  // namespace kelvor
