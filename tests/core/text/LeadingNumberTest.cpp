#include "core/text/LeadingNumber.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kelvor {
namespace {

struct ReadCase {
  std::string text;
  std::optional<double> expected;
};

void expectReadCases(const std::vector<ReadCase>& cases,
                     std::optional<double> (*read)(std::string_view)) {
  for (const ReadCase& c : cases) {
    SCOPED_TRACE("text \"" + c.text + "\"");
    EXPECT_EQ(read(c.text), c.expected);
  }
}

TEST(ReadLeadingNumber, ReadsTheNumberAtTheStart) {
  expectReadCases(
      {
          {"0", 0.0},
          {"12", 12.0},
          {"12.5", 12.5},
          {"0.8", 0.8},
          {".5", 0.5},
          {"5.", 5.0},
          {"-3.25", -3.25},
          {"+7", 7.0},
          {"007", 7.0},
          {"  12.5 V", 12.5},
          {"\t-3", -3.0},
          {" \t 4", 4.0},
          {"12abc", 12.0},
          {"1.2.3", 1.2},
          {"1,5", 1.0},
          {"1 000", 1.0},
          {"0x1A", 0.0},
          {"-0.0001", -0.0001},
          {"3.14159265358979", 3.14159265358979},
      },
      readLeadingNumber);
}

TEST(ReadLeadingNumber, ReadsExponentsOnlyWithDigits) {
  expectReadCases(
      {
          {"1e3", 1000.0},
          {"1E3", 1000.0},
          {"1E+3", 1000.0},
          {"2.5e-3", 0.0025},
          {"-1.5E2 mV", -150.0},
          {".5e1", 5.0},
          {"5.e1", 50.0},
          {"1e", 1.0},
          {"1E+", 1.0},
          {"1e-x", 1.0},
          {"2E V", 2.0},
          {"1e3.5", 1000.0},
          {"0e999999", 0.0},
          {"0.001e310", 1e307},
          {"12345e-3", 12.345},
      },
      readLeadingNumber);
}

TEST(ReadLeadingNumber, TextWithoutLeadingNumberReadsZero) {
  expectReadCases(
      {
          {"", 0.0},
          {"   ", 0.0},
          {"abc", 0.0},
          {" .", 0.0},
          {".", 0.0},
          {"-", 0.0},
          {"+", 0.0},
          {"--1", 0.0},
          {"- 1", 0.0},
          {"-.e5", 0.0},
          {"e5", 0.0},
          {"OL", 0.0},
          {"inf", 0.0},
          {"nan", 0.0},
          {"\n5", 0.0},
      },
      readLeadingNumber);
}

TEST(ReadLeadingNumber, OverflowGivesNothingAndUnderflowGivesZero) {
  const std::string fourHundredDigits(400, '9');
  expectReadCases(
      {
          {"1e400", std::nullopt},
          {"-1e400", std::nullopt},
          {"1E+400 V", std::nullopt},
          {"1e99999999999999999999", std::nullopt},
          {fourHundredDigits, std::nullopt},
          {"-" + fourHundredDigits + ".5", std::nullopt},
          {"1e308", 1e308},
          {"1.7976931348623157e308", 1.7976931348623157e308},
          {"1e-400", 0.0},
          {"-1e-400", 0.0},
          {"1e-99999999999999999999", 0.0},
          {"0." + std::string(400, '0') + "1", 0.0},
          {"0." + std::string(400, '0') + "1e400", 0.1},
      },
      readLeadingNumber);
}

TEST(XVal, TakesCommaAsDecimalPoint) {
  expectReadCases(
      {
          {"0,8", 0.8},
          {"0.8", 0.8},
          {"0,8 V", 0.8},
          {"0.8 V", 0.8},
          {"1,2,3", 1.2},
          {"-1,5e3", -1500.0},
          {"1e3", 1000.0},
          {" 12abc", 12.0},
          {",5", 0.5},
          {"abc", 0.0},
          {"", 0.0},
          {"1E+400", std::nullopt},
      },
      xVal);
}

TEST(LooksNumeric, AcceptsOnlyACompleteNumber) {
  struct Case {
    std::string text;
    char separator;
    bool expected;
  };
  const std::vector<Case> cases = {
      {" 1.234", '.', true},  {"-1.234", '.', true},    {"+1.234", '.', true},
      {"1234.5", '.', true},  {"  0.000  ", '.', true}, {"\t42\t", '.', true},
      {"5.", '.', true},      {".5", '.', true},        {"1e3", '.', true},
      {"-1.5E-3", '.', true}, {"1,5", ',', true},       {"1.5", ',', true},
      {"1,5", '.', false},    {"  OL  ", '.', false},   {" O.L  ", '.', false},
      {".OL", '.', false},    {"0.L", '.', false},      {"", '.', false},
      {"   ", '.', false},    {".", '.', false},        {"-", '.', false},
      {"1.2.3", '.', false},  {"1,2.3", ',', false},    {"- 1", '.', false},
      {"1 2", '.', false},    {"1e", '.', false},       {"1e+", '.', false},
      {"e3", '.', false},     {"--1", '.', false},      {"1-", '.', false},
      {"12V", '.', false},    {"0x10", '.', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text \"" + c.text + "\" separator '" + std::string(1, c.separator) + "'");
    EXPECT_EQ(looksNumeric(c.text, c.separator), c.expected);
  }
}

TEST(ReplaceString, ReplacesEveryOccurrenceLeftToRight) {
  struct Case {
    std::string text;
    std::string oldText;
    std::string newText;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"1.234", ".", ",", "1,234"}, {"a.b.c.", ".", ",", "a,b,c,"},
      {"aaa", "aa", "b", "ba"},     {"aaaa", "aa", "b", "bb"},
      {"25 °C", "°C", "K", "25 K"}, {"mV mV", "mV", "V", "V V"},
      {"abc", "x", "y", "abc"},     {"", "x", "y", ""},
      {"abc", "", "z", "abc"},      {"abc", "abc", "", ""},
      {"x-x", "x", "xx", "xx-xx"},  {"ab", "b", "bbb", "abbb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\": \"" + c.oldText + "\" -> \"" + c.newText + "\"");
    std::string text = c.text;
    ReplaceString(text, c.oldText, c.newText);
    EXPECT_EQ(text, c.expected);
  }
}

}  // namespace
}  // namespace kelvor
