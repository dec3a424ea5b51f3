#include "core/text/NumberFormat.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace kelvor {
namespace {

struct PatternCase {
  double value;
  std::string pattern;
  std::string expected;
};

// Runs cases under a decimal comma, which also shows that "." in the pattern is not copied.
void expectPatternCases(const std::vector<PatternCase>& cases) {
  for (const PatternCase& c : cases) {
    SCOPED_TRACE("value " + std::to_string(c.value) + " pattern \"" + c.pattern + "\"");
    EXPECT_EQ(formatPattern(c.value, c.pattern, ','), c.expected);
  }
}

TEST(FormatPattern, PadsAndFillsTheDisplayPatterns) {
  expectPatternCases({
      {1.5, "#0.000", "1,500"},
      {0.0, "#0.000", "0,000"},
      {0.5, "#0.000", "0,500"},
      {12.25, "#0.000", "12,250"},
      {3.14159, "#00.00", "03,14"},
      {42.0, "#00.00", "42,00"},
      {7.25, "#000.0", "007,3"},
      {7.25, "0000.0", "0007,3"},
      {123.456, "0000.0", "0123,5"},
      {5.0, "00", "05"},
      {59.0, "00", "59"},
      {0.0, "00", "00"},
      {7.0, "000", "007"},
      {0.25, "0.00", "0,25"},
      {3.0, "0.0", "3,0"},
      {-1.5, "#0.000", "-1,500"},
      {-42.0, "###0", "-42"},
  });
}

TEST(FormatPattern, OptionalDigitsDropTrailingZerosButKeepTheSeparator) {
  expectPatternCases({
      {0.25, "0.##", "0,25"},
      {0.2, "0.##", "0,2"},
      {0.0, "0.##", "0,"},
      {2.0, "0.##", "2,"},
      {0.999, "0.##", "1,"},
      {1.10, "0.0#", "1,1"},
      {0.0, "###0", "0"},
      {42.0, "###0", "42"},
      {0.4, "###0", "0"},
      {1234.4, "###0", "1234"},
      {0.5, "#.##", ",5"},
  });
}

TEST(FormatPattern, NeverDropsIntegerDigits) {
  expectPatternCases({
      {12345.0, "00", "12345"},
      {1234.5, "#0.000", "1234,500"},
      {99999.0, "###0", "99999"},
      {123.0, "0", "123"},
      {1e20, "0", "100000000000000000000"},
      {-12345.0, "00", "-12345"},
  });
}

TEST(FormatPattern, CopiesLiteralsWhereTheyStand) {
  expectPatternCases({
      {5.0, "#0:", "5:"},
      {12.0, "#0:", "12:"},
      {123.0, "#0:", "123:"},
      {1.5, "0.0 V", "1,5 V"},
      {1.5, "U=0.00", "U=1,50"},
      {1.25, "0.0.0", "1,2.5"},
      {3.0, "[00]", "[03]"},
  });
}

TEST(FormatPattern, RoundsHalfAwayFromZeroOnTheExactValue) {
  expectPatternCases({
      // Exact binary halves round away from zero (not to even).
      {0.125, "0.00", "0,13"},
      {-0.125, "0.00", "-0,13"},
      {0.5, "00", "01"},
      {1.5, "00", "02"},
      {2.5, "00", "03"},
      {-2.5, "00", "-03"},
      {0.375, "0.##", "0,38"},
      // The carry runs into the integer part and can add a digit.
      {9.9996, "#0.000", "10,000"},
      {99.995, "#00.00", "100,00"},  // stored as 99.99500000000000454...
      {999.95, "#000.0", "1000,0"},  // stored as 999.95000000000004547...
      {9999.95, "0000.0", "10000,0"},
      {-9.9996, "#0.000", "-10,000"},
      // Decimal "halves" stored slightly below the half stay down.
      {2.675, "0.00", "2,67"},
      {1.2345, "#0.000", "1,234"},
      {1.005, "0.00", "1,00"},
      {0.105, "0.00", "0,10"},      // 0.10499999999999999611..., 17 digits would show 0.105
      {0.0045, "#0.000", "0,004"},  // 0.0045 * 1000 is exactly 4.5 in binary arithmetic
      {0.0115, "#0.000", "0,011"},
      // ... and those stored slightly above go up.
      {1.0015, "#0.000", "1,002"},
      {8.345, "0.00", "8,35"},
      {9999.96, "0000.0", "10000,0"},
  });
}

TEST(FormatPattern, ShowsNoSignWhenEveryShownDigitIsZero) {
  expectPatternCases({
      {-0.0001, "#0.000", "0,000"},
      {-0.0004, "0.##", "0,"},
      {-0.0, "0.0", "0,0"},
      {-0.4, "00", "00"},
      {-0.0005, "#0.000", "-0,001"},
      {-0.5, "00", "-01"},
      {-0.04, "0.0#", "-0,04"},
  });
}

TEST(FormatPattern, WritesTheGivenSeparator) {
  struct Case {
    double value;
    std::string pattern;
    char separator;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {1.5, "#0.000", '.', "1.500"},
      {1.5, "#0.000", ',', "1,500"},
      {0.0, "0.##", '.', "0."},
      {12.0, "#0:", '.', "12:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern + " with '" + std::string(1, c.separator) + "'");
    EXPECT_EQ(formatPattern(c.value, c.pattern, c.separator), c.expected);
  }
}

TEST(FormatPattern, NonFiniteValuesAndEmptyPatternGiveReadableText) {
  expectPatternCases({
      {std::numeric_limits<double>::quiet_NaN(), "#0.000", "NAN"},
      {std::numeric_limits<double>::infinity(), "#0.000", "INF"},
      {-std::numeric_limits<double>::infinity(), "00", "-INF"},
      {1.5, "", "1,5"},
      {-1e33, "", "-1E+33"},
  });
}

struct GeneralCase {
  double value;
  int digits;
  std::string expected;
};

TEST(FormatGeneral, MatchesTheGeneralFormatWithTheGivenSeparator) {
  const std::vector<GeneralCase> cases = {
      {0.0, 7, "0"},
      {-0.0, 7, "0"},
      {1.5, 7, "1,5"},
      {-1.5, 15, "-1,5"},
      {2.25, 7, "2,25"},
      {1000.0, 7, "1000"},
      {1234567.0, 7, "1234567"},
      {0.0001, 7, "0,0001"},
      {0.00012345, 7, "0,00012345"},
      {123.456, 15, "123,456"},
      // Single floats widened to double keep their binary noise below the 7th digit.
      {static_cast<double>(0.1f), 7, "0,1"},
      {static_cast<double>(0.1f), 15, "0,100000001490116"},
      {0.30000000000000004, 15, "0,3"},
      {0.30000000000000004, 17, "0,30000000000000004"},
      // Exponent form: at least two exponent digits, sign always written.
      {0.00001, 7, "1E-05"},
      {-1e33, 7, "-1E+33"},
      {1e33, 7, "1E+33"},
      {12345678.0, 7, "1,234568E+07"},
      {123456789.0, 7, "1,234568E+08"},
      {1e100, 15, "1E+100"},
      {1e-300, 15, "1E-300"},
      {100.0, 2, "1E+02"},
      {99.0, 2, "99"},
      // Rounding can move the exponent.
      {9999999.5, 7, "1E+07"},
      {0.000099999999, 7, "0,0001"},
      // Fewer than one digit counts as one.
      {1234.0, 0, "1E+03"},
  };
  for (const GeneralCase& c : cases) {
    SCOPED_TRACE("value " + std::to_string(c.value) + " digits " + std::to_string(c.digits));
    EXPECT_EQ(formatGeneral(c.value, c.digits, ','), c.expected);
  }
}

TEST(FormatGeneral, NonFiniteValuesAndPointSeparator) {
  const std::vector<GeneralCase> cases = {
      {std::numeric_limits<double>::quiet_NaN(), 7, "NAN"},
      {std::numeric_limits<double>::infinity(), 7, "INF"},
      {-std::numeric_limits<double>::infinity(), 7, "-INF"},
      {1.5, 7, "1.5"},
      {12345678.0, 7, "1.234568E+07"},
  };
  for (const GeneralCase& c : cases) {
    SCOPED_TRACE("expected " + c.expected);
    EXPECT_EQ(formatGeneral(c.value, c.digits, '.'), c.expected);
  }
}

}  // namespace
}  // namespace kelvor
