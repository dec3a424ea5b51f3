// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace kelvor {

// A byte of a meter's frame, as the unsigned number it carries.
inline unsigned frameByte(const std::string& frame, std::size_t index) {
  return static_cast<unsigned char>(frame[index]);
}

// Bit `number` (0 the lowest) of a frame's byte.
inline bool frameBit(const std::string& frame, std::size_t index, int number) {
  return (frameByte(frame, index) >> number) & 1;
}

// A symbol of the display (a prefix, a unit) and the bit of the frame that lights it.
struct BitMark {
  std::size_t index;
  int bit;
  const char* text;
};

// `shown` becomes the text of the last mark whose bit is set; it stays as it is without one.
template <std::size_t N>
void readMarks(const std::string& frame, const BitMark (&marks)[N], std::string& shown) {
  for (const BitMark& mark : marks)
    if (frameBit(frame, mark.index, mark.bit)) shown = mark.text;
}

// How many of the marks' bits are set: families that light one unit at most refuse more.
template <std::size_t N>
int marksLit(const std::string& frame, const BitMark (&marks)[N]) {
  int lit = 0;
  for (const BitMark& mark : marks) lit += frameBit(frame, mark.index, mark.bit);
  return lit;
}

// The mode the AC and DC marks or else the unit name, for the kinds of measurement that
// families with unit marks share; nullptr for any other.
inline const char* markedMode(bool ac, bool dc, const std::string& unit) {
  if (ac && dc) return "AC+DC";
  if (ac) return "AC";
  if (dc) return "DC";
  if (unit == "Ω") return "resistance";
  if (unit == "F") return "capacitance";
  if (unit == "Hz") return "frequency";
  return nullptr;
}

}  // namespace kelvor
