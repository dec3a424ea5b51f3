#pragma once

#include <cmath>
#include <limits>

namespace kelvor {

// Whole part (rounded down) as an integer; NaN gives 0 and huge values are capped, so
// degenerate inputs cannot cause undefined conversions.
inline long long wholePart(double x) {
  constexpr double Cap = 4.0e18;
  if (std::isnan(x)) return 0;
  const double f = std::floor(x);
  if (f >= Cap) return static_cast<long long>(Cap);
  if (f <= -Cap) return -static_cast<long long>(Cap);
  return static_cast<long long>(f);
}

// Clamped into the range of int.
inline int toInt(long long v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

}  // namespace kelvor
