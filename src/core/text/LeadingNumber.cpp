// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/LeadingNumber.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace kelvor {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the run of decimal digits at text[pos...].
std::size_t digitRun(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && isDigit(text[end])) ++end;
  return end - pos;
}

// The parts of a number as written: mantissa digits on both sides of the point and the
// exponent with its sign. `end` is where the number stops in the scanned text.
struct NumberParts {
  bool negative = false;
  std::string_view integerDigits;
  std::string_view fractionDigits;
  bool hasPoint = false;
  char exponentSign = '+';
  std::string_view exponentDigits;
  std::size_t end = 0;

  bool hasMantissa() const { return !integerDigits.empty() || !fractionDigits.empty(); }
};

// Scans a number starting at text[pos] (no blanks skipped). An exponent marker not followed
// by digits is not part of the number.
NumberParts scanNumber(std::string_view text, std::size_t pos, char decimalSeparator) {
  NumberParts parts;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    parts.negative = text[pos] == '-';
    ++pos;
  }
  std::size_t run = digitRun(text, pos);
  parts.integerDigits = text.substr(pos, run);
  pos += run;
  if (pos < text.size() && (text[pos] == '.' || text[pos] == decimalSeparator)) {
    parts.hasPoint = true;
    ++pos;
    run = digitRun(text, pos);
    parts.fractionDigits = text.substr(pos, run);
    pos += run;
  }
  parts.end = pos;
  if (!parts.hasMantissa() || pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) {
    return parts;
  }
  std::size_t exponentPos = pos + 1;
  char sign = '+';
  if (exponentPos < text.size() && (text[exponentPos] == '+' || text[exponentPos] == '-')) {
    sign = text[exponentPos];
    ++exponentPos;
  }
  run = digitRun(text, exponentPos);
  if (run > 0) {
    parts.exponentSign = sign;
    parts.exponentDigits = text.substr(exponentPos, run);
    parts.end = exponentPos + run;
  }
  return parts;
}

// Decimal exponent of the leading nonzero digit (1234.5 -> 3, 0.012 -> -2), counting the
// written exponent too, saturated far outside the double range. Only its sign matters: it
// tells an overflow from an underflow when the conversion reports "out of range".
long long decimalMagnitude(const NumberParts& parts) {
  long long magnitude = 0;
  const std::size_t firstInteger = parts.integerDigits.find_first_not_of('0');
  if (firstInteger != std::string_view::npos) {
    magnitude = static_cast<long long>(parts.integerDigits.size() - firstInteger) - 1;
  } else {
    const std::size_t firstFraction = parts.fractionDigits.find_first_not_of('0');
    magnitude = -static_cast<long long>(firstFraction) - 1;
  }
  long long exponent = 0;
  for (const char c : parts.exponentDigits) {
    exponent = exponent * 10 + (c - '0');
    if (exponent > 100000) break;
  }
  return parts.exponentSign == '-' ? magnitude - exponent : magnitude + exponent;
}

}  // namespace

std::optional<double> readLeadingNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  const NumberParts parts = scanNumber(text, pos, '.');
  if (!parts.hasMantissa()) return 0.0;
  const double sign = parts.negative ? -1.0 : 1.0;
  if (parts.integerDigits.find_first_not_of('0') == std::string_view::npos &&
      parts.fractionDigits.find_first_not_of('0') == std::string_view::npos) {
    return sign * 0.0;  // any exponent of zero is zero
  }

  // std::from_chars is locale-independent (strtod would expect the C locale's decimal
  // point). It is given a canonical form: no leading sign, no empty side of the point.
  std::string canonical(parts.integerDigits.empty() ? std::string_view("0") : parts.integerDigits);
  if (!parts.fractionDigits.empty()) {
    canonical += '.';
    canonical += parts.fractionDigits;
  }
  if (!parts.exponentDigits.empty()) {
    canonical += 'e';
    canonical += parts.exponentSign;
    canonical += parts.exponentDigits;
  }
  double magnitude = 0;
  const auto result =
      std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    if (decimalMagnitude(parts) > 0) return std::nullopt;
    return sign * 0.0;
  }
  if (result.ec != std::errc()) return 0.0;  // cannot happen for a scanned number
  return sign * magnitude;
}

std::optional<double> xVal(std::string_view text) {
  std::string copy(text);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  return readLeadingNumber(copy);
}

bool looksNumeric(std::string_view text, char decimalSeparator) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  const std::string_view trimmed = text.substr(begin, end - begin);
  const NumberParts parts = scanNumber(trimmed, 0, decimalSeparator);
  return parts.hasMantissa() && parts.end == trimmed.size();
}

void replaceAll(std::string& text, std::string_view oldText, std::string_view newText) {
  if (oldText.empty()) return;
  std::size_t pos = text.find(oldText);
  while (pos != std::string::npos) {
    text.replace(pos, oldText.size(), newText);
    // Continue behind the inserted text, so newText is never searched again.
    pos = text.find(oldText, pos + newText.size());
  }
}

}  // namespace kelvor
