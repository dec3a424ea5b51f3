// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/acquisition/MeterFrame.h"

namespace kelvor {

// What a meter's display shows, field by field, as a family's decoder reads it
// from a frame.
struct MeterDisplay {
  bool negative = false;
  std::string digits;               // every digit position, leading zeros included: "01234"
  int decimals = 0;                 // digits right of the decimal point
  std::string overloadText = "OL";  // what the display shows instead of a number
  std::string prefix;               // "", "n", "µ", "m", "k", "M"
  std::string unit;                 // "V", "A", "Ω", "F", "Hz", "°C", "°F", "%", "hFE", ""
  std::string mode;                 // "DC", "AC", "AC+DC", "diode", "continuity", ...
  MeterFlags flags;
};

// Dark places before the first lit digit become zeros; false when nothing is lit or a dark
// place stands inside the number.
bool fillLeadingBlanks(std::string& digits);

// A number as the display shows it ("12.34", "0"): its digits and decimals into the display;
// false for anything else (a sign, blanks, two points, a point first).
bool readShownNumber(std::string_view shown, MeterDisplay& display);

// The reading the display stands for: the number as shown (never a number on overload),
// the unit with its prefix, the mode and the flags.
DecodedFrame readingOf(const MeterDisplay& display, char decimalSeparator);

}  // namespace kelvor
