// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace kelvor {

namespace {

// Text for values that have no digits; the same words C's "%G" uses.
std::string nonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// The exact decimal expansion of |value| with at least minFraction fraction digits, split at
// the point. A double is a binary fraction, so a finite number of decimal digits represents it
// exactly; rounding on these digits therefore decides ties on the true value, not on an
// already rounded approximation. std::to_chars is used because it is exact and ignores the
// C locale (snprintf would write the locale's decimal point).
void exactDigits(double value, int minFraction, std::string& integerDigits,
                 std::string& fractionDigits) {
  int binaryExponent = 0;
  std::frexp(value, &binaryExponent);
  // The lowest mantissa bit has weight 2^(binaryExponent - 53); 2^-n needs n decimals.
  const int exactFraction = std::clamp(53 - binaryExponent, 0, 1074);
  const int precision = std::max(exactFraction, minFraction);

  std::string buffer(static_cast<std::size_t>(precision) + 330, '\0');
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                    std::chars_format::fixed, precision);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  const std::size_t point = text.find('.');
  integerDigits.assign(text.substr(0, point));
  fractionDigits.assign(point == std::string_view::npos ? std::string_view{}
                                                        : text.substr(point + 1));
}

// Adds one unit in the last place of a digit string; returns true when the carry runs out of
// the string (all nines).
bool incrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

bool isPlaceholder(char c) {
  return c == '0' || c == '#';
}

}  // namespace

std::string formatPattern(double value, const std::string& pattern, char decimalSeparator) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  if (pattern.empty()) return formatGeneral(value, 15, decimalSeparator);

  // Only the first "." is the decimal point; later ones are literals.
  const std::size_t point = pattern.find('.');
  const std::string_view integerPart = std::string_view(pattern).substr(0, point);
  const std::string_view fractionPart =
      point == std::string::npos ? std::string_view{} : std::string_view(pattern).substr(point + 1);

  // Integer side: every placeholder from the leftmost '0' to the point is a forced digit.
  int integerPlaceholders = 0;
  int minIntegerDigits = 0;
  for (const char c : integerPart) {
    if (!isPlaceholder(c)) continue;
    ++integerPlaceholders;
    if (c == '0' || minIntegerDigits > 0) ++minIntegerDigits;
  }
  // Fraction side: every placeholder up to the rightmost '0' is a forced digit.
  int fractionPlaceholders = 0;
  int minFractionDigits = 0;
  for (const char c : fractionPart) {
    if (!isPlaceholder(c)) continue;
    ++fractionPlaceholders;
    if (c == '0') minFractionDigits = fractionPlaceholders;
  }

  std::string integerDigits;
  std::string fractionDigits;
  exactDigits(value, fractionPlaceholders + 1, integerDigits, fractionDigits);

  // Round half away from zero: with exact digits, the first dropped digit being 5 or more
  // means the dropped remainder is at least one half.
  const bool roundUp = fractionDigits[static_cast<std::size_t>(fractionPlaceholders)] >= '5';
  fractionDigits.resize(static_cast<std::size_t>(fractionPlaceholders));
  if (roundUp && incrementDigits(fractionDigits) && incrementDigits(integerDigits)) {
    integerDigits.insert(integerDigits.begin(), '1');
  }

  const bool shownAsZero = integerDigits.find_first_not_of('0') == std::string::npos &&
                           fractionDigits.find_first_not_of('0') == std::string::npos;

  integerDigits.erase(0, integerDigits.find_first_not_of('0'));
  if (static_cast<int>(integerDigits.size()) < minIntegerDigits) {
    integerDigits.insert(0, static_cast<std::size_t>(minIntegerDigits) - integerDigits.size(), '0');
  }
  while (static_cast<int>(fractionDigits.size()) > minFractionDigits &&
         fractionDigits.back() == '0') {
    fractionDigits.pop_back();
  }

  std::string out;
  if (value < 0 && !shownAsZero) out += '-';

  // Integer digits are right-aligned on the placeholders; digits beyond them go in at the
  // first placeholder, and without any placeholder they go where the integer part ends.
  const int digitCount = static_cast<int>(integerDigits.size());
  int placeholderIndex = 0;
  for (const char c : integerPart) {
    if (!isPlaceholder(c)) {
      out += c;
      continue;
    }
    if (placeholderIndex == 0 && digitCount > integerPlaceholders) {
      out.append(integerDigits, 0, static_cast<std::size_t>(digitCount - integerPlaceholders));
    }
    const int fromRight = integerPlaceholders - 1 - placeholderIndex;
    if (fromRight < digitCount) {
      out += integerDigits[static_cast<std::size_t>(digitCount - 1 - fromRight)];
    }
    ++placeholderIndex;
  }
  if (integerPlaceholders == 0) out += integerDigits;

  if (point == std::string::npos) return out;
  out += decimalSeparator;
  std::size_t fractionIndex = 0;
  for (const char c : fractionPart) {
    if (!isPlaceholder(c)) {
      out += c;
    } else if (fractionIndex < fractionDigits.size()) {
      out += fractionDigits[fractionIndex++];
    }
  }
  return out;
}

std::string formatGeneral(double value, int significantDigits, char decimalSeparator) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  if (value == 0) return "0";  // also for -0: a signed zero means nothing on a display

  // Same rounding as "%.*G": the scientific form with that many digits decides both the digits
  // and the exponent (rounding may carry into a new exponent, 9999999.5 -> 1E+07).
  const int digits = std::clamp(significantDigits, 1, 40);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, digits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  std::string mantissa;  // the significant digits without the point
  for (const char c : text.substr(0, e)) {
    if (c != '.') mantissa += c;
  }
  int exponent = 0;
  const std::string_view exponentText = text.substr(e + 1);
  std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);

  std::string out = value < 0 ? "-" : "";
  std::string integerDigits;
  std::string fractionDigits;
  const bool plain = exponent >= -4 && exponent < digits;
  if (!plain) {
    integerDigits = mantissa.substr(0, 1);
    fractionDigits = mantissa.substr(1);
  } else if (exponent >= 0) {
    integerDigits = mantissa.substr(0, static_cast<std::size_t>(exponent) + 1);
    fractionDigits = mantissa.substr(static_cast<std::size_t>(exponent) + 1);
  } else {
    integerDigits = "0";
    fractionDigits = std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
  }
  fractionDigits.erase(fractionDigits.find_last_not_of('0') + 1);

  out += integerDigits;
  if (!fractionDigits.empty()) {
    out += decimalSeparator;
    out += fractionDigits;
  }
  if (!plain) {
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
  }
  return out;
}

}  // namespace kelvor
