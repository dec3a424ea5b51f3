// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cfloat>
#include <cmath>
#include <limits>

namespace kelvor {

// The whole-number conversions of the plot, the axes and the page layout. Each caps its
// result at a named limit, so degenerate inputs cannot cause undefined conversions, and
// turns not-a-number into 0.

// Any value that fits a long long.
inline constexpr double WholePartCap = 4.0e18;
// Plot and page coordinates: any line between two of them is safe to draw.
inline constexpr double CoordinateLimit = 1e9;

// The rounding below relies on doubles being evaluated at their own precision.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic with excess precision");

// Nearest whole number, halves to even: std::nearbyint in the default rounding mode, up to
// the sign of zero. Within +-2^51, adding and removing 1.5 * 2^52 leaves no fraction bits,
// so the hardware rounds without the library call that would dominate a loop over samples.
inline double roundHalfEven(double r) {
  constexpr double Shift = 6755399441055744.0;
  constexpr double Range = 2251799813685248.0;  // 2^51
  return std::fabs(r) < Range ? (r + Shift) - Shift : std::nearbyint(r);
}

// r within +-limit (a whole number), rounded down; not-a-number gives 0.
inline long long floorWithin(double r, double limit) {
  if (r != r) return 0;
  const double c = r < limit ? (r > -limit ? r : -limit) : limit;
  return static_cast<long long>(std::floor(c));
}

// r within +-limit (a whole number), rounded to the nearest, halves to even; not-a-number
// gives 0. Clamping first is the same as rounding first, as the limit is whole.
inline long long roundWithin(double r, double limit) {
  if (r != r) return 0;
  const double c = r < limit ? (r > -limit ? r : -limit) : limit;
  return static_cast<long long>(roundHalfEven(c));
}

// Whole part (rounded down) as an integer, capped at WholePartCap.
inline long long wholePart(double x) {
  return floorWithin(x, WholePartCap);
}

// A plot or page coordinate: rounded half to even within CoordinateLimit.
inline int toCoordinate(double r) {
  return static_cast<int>(roundWithin(r, CoordinateLimit));
}

// Clamped into the range of int.
inline int toInt(long long v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

}  // namespace kelvor
