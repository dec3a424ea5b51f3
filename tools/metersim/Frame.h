// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kelvor::metersim {

// A frame is 14 single-byte characters: a 13-character body (mode, blank, value field, unit)
// and a carriage return.
constexpr std::size_t kModeWidth = 2;
constexpr std::size_t kValueWidth = 6;
constexpr std::size_t kUnitWidth = 4;
constexpr std::size_t kBodySize = kModeWidth + 1 + kValueWidth + kUnitWidth;
constexpr std::size_t kFrameSize = kBodySize + 1;

// What a meter shows when the value does not fit its display.
inline const std::string kOverloadText = "  OL  ";

// One display of the meter, each field already at its width.
struct Display {
  std::string mode;   // 2 characters
  std::string value;  // 6 characters
  std::string unit;   // 4 characters
};

// Pads `text` with blanks on the right or cuts it to `width`.
std::string fitField(const std::string& text, std::size_t width);

// The value as a meter shows it, right-aligned in 6 characters: 3 decimals below 10, 2 below
// 100, 1 below 10000, none above; one decimal fewer whenever the text would be wider than 6.
// Returns nothing when even the integer does not fit (or the value is not finite).
std::optional<std::string> formatValueField(double value);

std::string frameBody(const Display& display);

// Splits a 13-character body into its fields.
Display displayFromBody(const std::string& body);

// The body followed by the carriage return, or by a blank when `withCr` is false.
std::string frameBytes(const std::string& body, bool withCr);

// Frames 2 to 4 of the four-display meter, derived from the first display: the same reading
// in the next smaller unit, then a frequency and a temperature display.
std::vector<Display> companionDisplays(const Display& first);

}  // namespace kelvor::metersim
