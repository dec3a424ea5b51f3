// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// Formats a number with a display pattern as the program's labels use them:
// "0" is a mandatory digit, "#" an optional one, "." the decimal point (written as
// decimalSeparator), any other character is copied literally ("#0:" gives "1:").
// Rounding is half away from zero on the shown digits, decided on the exact binary value of
// the double: 0.125 -> "0.13", but 2.675 is stored as 2.67499999... and gives "2.67".
// A negative result gets a "-" at the very front unless every shown digit is zero.
// Digits beyond the integer pattern are never dropped; they appear at the first integer
// placeholder. Every placeholder right of the leftmost integer '0' is forced, as is every
// fraction placeholder left of the rightmost fraction '0'. Only the first "." is the point.
// An empty pattern gives formatGeneral(value, 15, decimalSeparator). NaN and infinities
// give "NAN", "INF" and "-INF" here and in formatGeneral. Independent of the C locale.
// Examples (decimal comma): formatPattern(1.5, "#0.000", ',') == "1,500",
// formatPattern(9.9996, "#0.000", ',') == "10,000", formatPattern(5, "00", ',') == "05",
// formatPattern(0.25, "0.##", ',') == "0,25", formatPattern(0, "0.##", ',') == "0,".
std::string formatPattern(double value, const std::string& pattern, char decimalSeparator);

// The general number format (no pattern): at most `significantDigits` significant digits
// (7 for single floats, 15 for doubles), no trailing zeros, plain notation for decimal
// exponents from -4 to significantDigits - 1 and exponent form otherwise, with at least two
// exponent digits: 0.0001 -> "0.0001", 0.00001 -> "1E-05", -1e33 -> "-1E+33",
// 12345678 with 7 digits -> "1.234568E+07". The point is written as decimalSeparator.
// Rounding is that of "%.*G" (to nearest on the exact value, exact ties to even); zero,
// also negative zero, is "0". significantDigits is clamped to 1..40.
std::string formatGeneral(double value, int significantDigits, char decimalSeparator);

}  // namespace kelvor
