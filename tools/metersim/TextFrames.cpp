// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFrames.h"

#include <cmath>
#include <cstdio>

namespace kelvor::metersim {

std::optional<std::string> m2110Frame(const Shown& shown) {
  if (shown.overload) return std::string("OVERRNG\r\n");
  for (int decimals = 3; decimals >= 0; --decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%7.*f", decimals, shown.value);
    if (std::string(text).size() == 7) return std::string(text) + "\r\n";
  }
  return std::nullopt;
}

std::optional<std::string> asyciiFrame(const Shown& shown) {
  auto [prefix, base] = splitUnit(shown.unit);
  if (base == "Ohm") base = "ohm";
  if (base == "%") base = "%+";
  if (base != "V" && base != "A" && base != "ohm" && base != "F" && base != "Hz" && base != "%+")
    return std::nullopt;
  std::string unit = base;  // after the prefix's place
  if (base == "V" || base == "A") unit += shown.mode == "AC" ? "ac" : "dc";
  std::string value = "  O.L ";
  if (!shown.overload) {
    std::optional<std::string> text;
    for (int decimals = 4; decimals >= 0 && !text; --decimals) {
      char digits[32];
      std::snprintf(digits, sizeof digits, "%6.*f", decimals, std::fabs(shown.value));
      if (std::string(digits).size() == 6) text = digits;
    }
    if (!text) return std::nullopt;
    value = *text;
  }
  const char sign = shown.value < 0 && !shown.overload ? '-' : ' ';
  return sign + value + prefix + unit + std::string(7 - unit.size(), ' ') + '\r';
}

}  // namespace kelvor::metersim
