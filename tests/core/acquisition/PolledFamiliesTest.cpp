// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/acquisition/MeterFamily.h"
#include "support/FamilyFrames.h"

namespace kelvor {
namespace {

using testing::hex;

// What a family's answer shows ("text|mode|flags", as testing::shown).
std::string shown(const char* family, const std::string& answer) {
  return testing::shown(*familyNamed(family), answer);
}

using Rows = std::vector<std::pair<std::string, std::string>>;

// Answers captured from meters of the family, and damaged ones that must give no reading.
TEST(PolledFamilies, Ut61ePlusAnswersShowTheDisplayAndDamagedOnesNothing) {
  for (const auto& [answer, expected] :
       Rows{{"AB CD 10 02 30 20 2D 31 2E 33 32 35 00 00 00 00 00 03 00", "-1,325 V|DC|A"},
            {"AB CD 10 00 31 20 20 30 2E 32 31 39 00 00 00 04 08 02 FF", "0,219 V|AC|"},
            {"AB CD 10 03 31 20 20 33 32 2E 34 32 00 00 00 00 00 02 F5", "32,42 mV|DC|A"},
            {"AB CD 10 06 35 20 20 20 4F 2E 4C 20 00 00 00 00 00 03 0C", "O.L MΩ|resistance|OA"},
            {"AB CD 10 08 31 20 20 2E 4F 4C 20 20 00 00 00 04 00 03 0E", ".OL V|diode|O"},
            {"AB CD 10 09 30 20 20 30 2E 30 31 31 00 00 00 00 00 02 F1", "0,011 nF|capacitance|A"},
            {"AB CD 10 0A 30 20 20 20 20 20 30 20 00 00 00 04 00 02 B6", "0 °C|temperature|"},
            {"AB CD 10 0C 30 20 20 20 20 30 2E 30 00 00 00 04 00 02 D6", "0,0 µA|DC|"},
            {"AB CD 10 14 30 20 20 45 46 4C 4F 20 00 00 00 04 08 03 5E", "EFLO|NCV|"},
            // Relative, hold and max with the battery sign.
            {"AB CD 10 02 30 20 2D 31 2E 33 32 35 00 00 0B 02 00 03 0D", "-1,325 V|DC|HRABX"},
            // Refused: a wrong checksum, header or count, no such range or mode, a bad character,
            // two points, one byte short.
            {"AB CD 10 02 30 20 2D 31 2E 33 32 35 00 00 00 00 00 03 01", "-"},
            {"AB CE 10 03 31 20 20 33 32 2E 34 32 00 00 00 00 00 02 F6", "-"},
            {"AB CD 11 03 31 20 20 33 32 2E 34 32 00 00 00 00 00 02 F6", "-"},
            {"AB CD 10 03 38 20 20 33 32 2E 34 32 00 00 00 00 00 02 FC", "-"},
            {"AB CD 10 1E 30 20 20 33 32 2E 34 32 00 00 00 00 00 03 0F", "-"},
            {"AB CD 10 03 31 20 20 33 32 2E 34 78 00 00 00 00 00 03 3B", "-"},
            {"AB CD 10 03 31 20 20 33 2E 2E 34 32 00 00 00 00 00 02 F1", "-"},
            {"AB CD 10 03 31 20 20 33 32 2E 34 32 00 00 00 00 00 02", "-"}})
    EXPECT_EQ(shown("ut61eplus", hex(answer)), expected) << answer;
}

// The examples of the meter's remote interface description, and broken answers.
TEST(PolledFamilies, Fluke28xAnswersShowTheValueAsShownAndBrokenOnesNothing) {
  for (const auto& [line, expected] :
       Rows{{"-0.023E-3,VDC,NORMAL,NONE", "-0,023 mV|DC|"},
            {"9.323E0,VDC,NORMAL,NONE", "9,323 V|DC|"},
            {"+9.99999999E+37,VDC,OL,NONE", "OL V|DC|O"},
            {"+9.99999999E+37,OHM,OL_MINUS,NONE", "-OL Ω|resistance|O"},
            {"63.679E0,Hz,NORMAL,POSITIVE_EDGE", "63,679 Hz|frequency|"},
            {"23.9E0,CEL,NORMAL,NONE", "23,9 °C|temperature|"},
            {"0.95E-6,F,NORMAL,NONE", "0,95 µF|capacitance|"},
            {"0.5498E0,VDC,NORMAL,GOOD_DIODE", "0,5498 V|diode|"},
            {"0.2785E0,VAC_PLUS_DC,NORMAL,NONE", "0,2785 V|AC+DC|"},
            {"979.0E-6,ADC,NORMAL,NONE", "979,0 µA|DC|"},
            {"+9.99999999E+37,CEL,OPEN_TC,NONE", "OPEN TC|temperature|"}})
    EXPECT_EQ(shown("fluke28x", "0\r" + line + "\r"), expected) << line;
  // Refused: a bad character, two points, no exponent or one without prefix, an unknown unit,
  // state or attribute, a field too few or too many; an error acknowledgement, the line without
  // its end or without the acknowledgement.
  for (const std::string answer :
       {"1.2x4E0,VDC,NORMAL,NONE", "1.2.4E0,VDC,NORMAL,NONE", "1.234,VDC,NORMAL,NONE",
        "1.234E-2,VDC,NORMAL,NONE", "1.234E0,VOLT,NORMAL,NONE", "1.234E0,VDC,FINE,NONE",
        "1.234E0,VDC,NORMAL,LOUD", "1.234E0,VDC,NORMAL", "1.234E0,VDC,NORMAL,NONE,NONE"})
    EXPECT_EQ(shown("fluke28x", "0\r" + answer + "\r"), "-") << answer;
  for (const std::string answer :
       {"1\r", "0\r9.323E0,VDC,NORMAL,NONE", "9.323E0,VDC,NORMAL,NONE\r"})
    EXPECT_EQ(shown("fluke28x", answer), "-");
}

// Where each family's answer ends in what has arrived since the poll (0: not yet complete).
TEST(PolledFamilies, AnAnswerIsCompleteAtItsLengthOrItsEnd) {
  const std::string line = "0\r9.323E0,VDC,NORMAL,NONE\r";
  using Row = std::tuple<const char*, std::string, std::size_t>;
  for (const auto& [family, received, length] :
       {Row{"ut61eplus", std::string(18, 'x'), 0}, Row{"ut61eplus", std::string(25, 'x'), 19},
        Row{"four", std::string(55, 'x'), 0}, Row{"four", std::string(56, 'x'), 14},
        Row{"single", std::string(20, 'x'), 14}, Row{"fluke28x", "0\r9.323E0,VDC", 0},
        Row{"fluke28x", line + "0\r", line.size()}, Row{"fluke28x", "1\r", 2},
        Row{"fluke28x", "5\rstray", 2}, Row{"fluke28x", std::string(79, 'x'), 0},
        Row{"fluke28x", std::string(90, 'x'), 80}})
    EXPECT_EQ(familyNamed(family)->completeAnswer(received), length) << family << received;
  // The UT61E+ request is the only one its meters are safe with.
  EXPECT_EQ(familyNamed("ut61eplus")->pollCommand(), hex("AB CD 03 5E 01 D9"));
}

}  // namespace
}  // namespace kelvor
