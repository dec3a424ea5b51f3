// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "core/InvalidValue.h"

namespace kelvor {

// What a run of samples holds, gap markers left out: the range of its finite values and
// which other kinds of value (infinities, not-a-number) occur. The plot maps these kinds
// apart, since only finite values keep their order on every scale.
struct ValueRange {
  enum Kind : std::uint8_t { Above = 1, Below = 2, NotANumber = 4 };

  // The finite values lie in low .. high; none when low > high (as at the start), so ranges
  // merge without a test.
  float low = INFINITY;
  float high = -INFINITY;
  std::uint8_t kinds = 0;  // the other kinds of value present

  bool anyFinite() const { return low <= high; }
  bool any() const { return anyFinite() || kinds != 0; }
  bool has(Kind kind) const { return (kinds & kind) != 0; }

  void add(float v) {
    if (std::isfinite(v)) {
      if (v == InvalidValue) return;
      low = v < low ? v : low;
      high = v > high ? v : high;
    } else {
      kinds |= v != v ? NotANumber : (v > 0 ? Above : Below);
    }
  }

  void merge(const ValueRange& other) {
    low = other.low < low ? other.low : low;
    high = other.high > high ? other.high : high;
    kinds |= other.kinds;
  }

  // The lowest and highest value as comparisons see them (infinities included, not-a-number
  // never); without such a value, the given fallback.
  float lowest(float none) const {
    if (has(Below)) return -INFINITY;
    if (anyFinite()) return low;
    return has(Above) ? INFINITY : none;
  }
  float highest(float none) const {
    if (has(Above)) return INFINITY;
    if (anyFinite()) return high;
    return has(Below) ? -INFINITY : none;
  }
};

}  // namespace kelvor
