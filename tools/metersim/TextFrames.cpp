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

}  // namespace kelvor::metersim
