// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/LeadingNumber.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/text/NumberFormat.h"
#include "core/text/PrintableText.h"
#include "core/text/TimeText.h"

namespace kelvor {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
  const std::vector<std::pair<std::string, std::optional<double>>> reads{
      {"  -3.25 V", -3.25}, {"1.2.3", 1.2},          {"1,5", 1.0},
      {"0x1A", 0.0},        {"-1.5E2 mV", -150.0},   {"1E+", 1.0},
      {"- 1", 0.0},         {"1e400", std::nullopt}, {"0." + std::string(400, '0') + "1e400", 0.1}};
  for (const auto& [text, expected] : reads)
    EXPECT_EQ(readLeadingNumber(text), expected) << text.substr(0, 20);
  EXPECT_EQ(xVal("-1,5e3 V"), -1500.0);  // a comma as the decimal point
  std::string numeric;                   // '.' then ',' as the decimal point
  for (const char* text : {"\t42\t", "5.", "-1.5E-3", "1,5", "0.L", ".", "1e+", "12V"})
    numeric += looksNumeric(text, '.') ? '1' : '0';
  for (const char* text : {"1.5", "1,5", "1,2.3"}) numeric += looksNumeric(text, ',') ? '1' : '0';
  EXPECT_EQ(numeric, "11100000110");
}

TEST(TimeText, TheTimeOfDayOfLocalSeconds) {
  // Whole days drop out; a negative time is in the day before.
  for (const auto& [seconds, text] : std::vector<std::pair<LocalSeconds, std::string>>{
           {20793 * 86400LL + 50589, "14:03:09"}, {90061, "01:01:01"}, {-1, "23:59:59"}})
    EXPECT_EQ(timeOfDayText(seconds), text) << seconds;
  // A duration's hours count on past a day; a date across the turns of month, year and leap day.
  EXPECT_EQ(elapsedText(110 * 3600 + 38 * 60 + 27) + " " + elapsedText(-86399),
            "110:38:27 -23:59:59");
  EXPECT_EQ(
      dateText(20793 * 86400LL + 50589) + " " + dateText(-1) + " " + dateText(11016 * 86400LL),
      "2026-12-06 1969-12-31 2000-02-29");
}

// A reading's text keeps printable UTF-8 and escapes the rest; the journal's raw column keeps
// ASCII only. Both read back as the bytes they were.
TEST(PrintableText, KeepsPrintableCharactersAndEscapesTheRest) {
  for (const auto& [bytes, text, ascii] :
       std::vector<std::tuple<std::string, std::string, std::string>>{
           {"k\xCE\xA9", "k\xCE\xA9", "k\\xCE\\xA9"},  // kΩ
           {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", "\\xF0\\x9F\\x98\\x80"},
           {"\xB5V", "\\xB5V", "\\xB5V"},  // Latin-1 micro sign
           {"\xC2\x85\x7F\n", "\\xC2\\x85\\x7F\\x0A", "\\xC2\\x85\\x7F\\x0A"},  // controls
           {"\xE0\x80\xAF", "\\xE0\\x80\\xAF", "\\xE0\\x80\\xAF"},              // overlong
           {"\xED\xA0\x80", "\\xED\\xA0\\x80", "\\xED\\xA0\\x80"},              // a surrogate
           {"\xF5\x80\x80\x80", "\\xF5\\x80\\x80\\x80", "\\xF5\\x80\\x80\\x80"},
           {"\xCE", "\\xCE", "\\xCE"},  // cut short
           {"a\\b", "a\\x5Cb", "a\\x5Cb"}}) {
    EXPECT_EQ(std::pair(printableText(bytes), printableAscii(bytes)), std::pair(text, ascii));
    EXPECT_EQ(std::pair(bytesOfPrintable(text), bytesOfPrintable(ascii)), std::pair(bytes, bytes));
  }
}

TEST(NumberFormat, PatternsPadRoundAndCopyLiterals) {
  // Under a decimal comma a "." in the pattern is not copied. Exact halves round away from
  // zero (the carry can add a digit); decimal "halves" stored below the half stay down; no sign
  // when every shown digit is zero.
  const std::vector<std::tuple<double, std::string, std::string>> patterns{
      {3.14159, "#00.00", "03,14"},   {0.0, "0.##", "0,"},     {0.5, "#.##", ",5"},
      {1.25, "U=0.0.0", "U=1,2.5"},   {0.125, "0.00", "0,13"}, {-2.5, "00", "-03"},
      {99.995, "#00.00", "100,00"},   {2.675, "0.00", "2,67"}, {-0.0001, "#0.000", "0,000"},
      {std::nan(""), "#0.000", "NAN"}};
  for (const auto& [value, pattern, expected] : patterns)
    EXPECT_EQ(formatPattern(value, pattern, ','), expected) << value << " " << pattern;
  // General format: binary noise of singles stays below the 7th digit; exponents have two
  // digits at least and a sign; rounding can move the exponent.
  const std::vector<std::pair<double, std::string>> general{
      {-0.0, "0"},          {1234567.0, "1234567"}, {0.0001, "0,0001"},
      {0.00001, "1E-05"},   {double{0.1f}, "0,1"},  {12345678.0, "1,234568E+07"},
      {9999999.5, "1E+07"}, {-HUGE_VAL, "-INF"}};
  for (const auto& [value, expected] : general) EXPECT_EQ(formatGeneral(value, 7, ','), expected);
}

// The program starts with setlocale(LC_ALL, ""); on a German desktop the C library then
// uses a decimal comma, which reading and formatting must not pick up.
TEST(TextUnderCommaLocale, ReadingAndFormattingIgnoreTheCLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  bool active = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
    if (!active && std::setlocale(LC_ALL, name)) active = *std::localeconv()->decimal_point == ',';
  if (active) {
    EXPECT_EQ(readLeadingNumber("-2.25e1"), -22.5);
    EXPECT_TRUE(looksNumeric("1.5", '.'));
    EXPECT_EQ(formatPattern(0.125, "0.00", '.') + formatGeneral(1.5, 7, '.'), "0.131.5");
  }
  std::setlocale(LC_ALL, previous.c_str());
  if (!active) GTEST_SKIP() << "no locale with a decimal comma is installed";
}

}  // namespace
}  // namespace kelvor
