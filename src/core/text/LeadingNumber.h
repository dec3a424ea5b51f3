// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvor {

// Reads the decimal number at the start of a text, independent of the locale: leading
// blanks are skipped, then an optional sign, digits, "." as the only decimal point and an
// optional exponent ("E" or "e", optional sign, digits). Reading stops at the first
// character that cannot continue the number; an "E" without exponent digits is not part of
// it ("1E+x" reads 1). A text without a leading number reads as 0, and so does a number too
// small for a double (underflow). Returns nothing when the number does not fit a double
// (overflow, e.g. "1e400").
std::optional<double> readLeadingNumber(std::string_view text);

// The leading number of a text in which "," counts as a decimal point too
// ("0,8 V" and "0.8" both give 0.8). Nothing on overflow.
std::optional<double> xVal(std::string_view text);

// True when the whole text, blanks around it aside, is one number: optional sign, digits
// with at most one decimal point ("." or decimalSeparator), optional exponent, and at
// least one digit in front of the exponent. Blanks are spaces and tabs. Used to decide
// whether a meter's value field holds a number at all ("OL", "O.L" do not).
bool looksNumeric(std::string_view text, char decimalSeparator);

// Replaces every occurrence of oldText in text by newText, left to right and without
// overlaps. Inserted text is not searched again, so newText may contain oldText.
// Empty oldText changes nothing.
void replaceAll(std::string& text, std::string_view oldText, std::string_view newText);

}  // namespace kelvor
