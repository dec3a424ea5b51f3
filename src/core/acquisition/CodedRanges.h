// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

// One range of a meter function: how many digits stand right of the point, and the prefix.
struct CodedRange {
  int decimals;
  const char* prefix;
};

// A function of a meter whose frames name function and range by codes: the unit, the mode
// it implies (empty: taken from the AC/DC flags) and its ranges by code.
struct CodedFunction {
  int code;
  const char* unit;
  const char* mode;
  std::array<CodedRange, 8> ranges;  // by code; a range without prefix does not exist
};

// The function of that code, or nothing.
template <std::size_t N>
const CodedFunction* codedFunction(const CodedFunction (&functions)[N], int code) {
  for (const CodedFunction& function : functions)
    if (function.code == code) return &function;
  return nullptr;
}

// Fills unit, prefix and decimals from the function's range; false when it has no such range.
inline bool applyRange(const CodedFunction& function, int range, MeterDisplay& display) {
  if (range < 0 || static_cast<std::size_t>(range) >= function.ranges.size()) return false;
  const CodedRange& chosen = function.ranges[static_cast<std::size_t>(range)];
  if (!chosen.prefix) return false;
  display.unit = function.unit;
  display.prefix = chosen.prefix;
  display.decimals = chosen.decimals;
  display.mode = function.mode;
  return true;
}

// "AC+DC", "AC", "DC" or the empty text from the two flags.
inline std::string acDcMode(bool ac, bool dc) {
  if (ac && dc) return "AC+DC";
  return ac ? "AC" : dc ? "DC" : "";
}

}  // namespace kelvor
