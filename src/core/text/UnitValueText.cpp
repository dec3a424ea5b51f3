// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/UnitValueText.h"

#include <algorithm>
#include <cmath>

#include "core/text/NumberFormat.h"
#include "core/text/SiUnit.h"

namespace kelvor {

namespace {

constexpr int SignificantDigits = 4;

// The decimal exponent of the leading digit: 2 for 123.4, -3 for 0.001234.
int leadingExponent(double value) {
  return static_cast<int>(std::floor(std::log10(std::fabs(value))));
}

// The value rounded to the significant digits before the prefix is chosen, so that 999.96 mV
// becomes 1 V and not "1000 mV".
double roundedToDigits(double value) {
  if (value == 0.0) return value;
  // Whole numbers keep their digits: the unit of 123456 had no prefix to take.
  const double scale = std::pow(10.0, std::max(0, SignificantDigits - 1 - leadingExponent(value)));
  if (!std::isfinite(scale)) return value;  // a subnormal number
  return std::round(value * scale) / scale;
}

std::string digits(double value, char decimalSeparator) {
  if (value == 0.0) return formatPattern(0.0, "0.000", decimalSeparator);
  const int exponent = leadingExponent(value);
  // Beyond these, as for a unit without a name, the plain digits would grow too long.
  if (exponent < -4 || exponent >= 6)
    return formatGeneral(value, SignificantDigits, decimalSeparator);
  const int decimals = std::max(0, SignificantDigits - 1 - exponent);
  const std::string pattern = decimals == 0 ? "0" : "0." + std::string(decimals, '0');
  return formatPattern(value, pattern, decimalSeparator);
}

}  // namespace

std::string unitValueText(double value, const std::string& unit, char decimalSeparator) {
  if (!std::isfinite(value)) {
    const std::string text = formatGeneral(value, SignificantDigits, decimalSeparator);
    return unit.empty() ? text : text + " " + unit;
  }
  const SiUnit si = splitUnit(unit);
  const ShownValue shown = withPrefix(roundedToDigits(value * si.factor), si.base);
  const std::string number = digits(roundedToDigits(shown.value), decimalSeparator);
  return shown.unit.empty() ? number : number + " " + shown.unit;
}

}  // namespace kelvor
