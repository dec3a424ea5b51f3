// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// A unit as a meter sends it, split into its prefix's factor and the unit without prefix:
// "mV" is 0.001 V, "kOhm" and "KOHM" are 1000 Ω, "µA" and "uA" 1e-6 A. A unit the program
// does not know ("°C", "hFE", "") stays as it is, with the factor 1.
struct SiUnit {
  double factor = 1.0;
  std::string base;
};
SiUnit splitUnit(const std::string& unit);

// The unit of a calculation's result from its sources' units without prefixes. Units that
// have a name get it ("V" * "A" is "W", "V" / "A" is "Ω"); others are written as the
// expression ("V·°C", "Hz/V"). A difference of unlike units is written "V-A".
std::string productUnit(const std::string& a, const std::string& b);
std::string quotientUnit(const std::string& a, const std::string& b);
std::string differenceUnit(const std::string& a, const std::string& b);
// The unit of a running integral over time in hours: "A" gives "Ah", "W" gives "Wh".
std::string integralUnit(const std::string& unit);

// A value in a unit without prefix as it is shown: the prefix that puts the number between
// 1 and 1000 ("0.0125 Ah" is 12.5 mAh). Units without a name, and zero, keep their value.
struct ShownValue {
  double value = 0.0;
  std::string unit;
};
ShownValue withPrefix(double value, const std::string& unit);

}  // namespace kelvor
