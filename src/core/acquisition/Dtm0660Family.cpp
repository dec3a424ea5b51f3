// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Dtm0660Family.h"

#include <array>
#include <utility>

#include "core/acquisition/FrameBits.h"
#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

constexpr std::size_t Modes = 0, FirstDigit = 1, Micro = 9, Milli = 10, Farads = 11, Amperes = 12,
                      Degrees = 13, Extremes = 14;

// A digit's segments: the low nibbles of its two bytes, high then low, without bit 4 (the
// sign at the first digit, else the point before the digit).
constexpr std::array<std::pair<unsigned, char>, 12> Segments{{{0xEB, '0'},
                                                              {0x0A, '1'},
                                                              {0xAD, '2'},
                                                              {0x8F, '3'},
                                                              {0x4E, '4'},
                                                              {0xC7, '5'},
                                                              {0xE7, '6'},
                                                              {0x8A, '7'},
                                                              {0xEF, '8'},
                                                              {0xCF, '9'},
                                                              {0x61, 'L'},
                                                              {0x00, ' '}}};

char shownCharacter(const std::string& frame, std::size_t digit) {
  const std::size_t first = FirstDigit + 2 * digit;
  const unsigned segments =
      ((frameByte(frame, first) & 0x0E) << 4) | (frameByte(frame, first + 1) & 0x0F);
  for (const auto& [pattern, shown] : Segments)
    if (pattern == segments) return shown;
  return '?';
}

// The marks of prefixes and units; a frame lights one of each at most.
constexpr BitMark Prefixes[] = {
    {Micro, 0, "µ"}, {Micro, 1, "n"}, {Micro, 2, "k"}, {Milli, 0, "m"}, {Milli, 2, "M"}};
constexpr BitMark Units[] = {{Farads, 0, "F"},   {Farads, 1, "Ω"},   {Amperes, 0, "A"},
                             {Amperes, 1, "V"},  {Amperes, 2, "Hz"}, {Milli, 1, "%"},
                             {Degrees, 0, "°F"}, {Degrees, 1, "°C"}};

std::string modeOf(const std::string& frame, const std::string& unit) {
  if (frameBit(frame, Micro, 3)) return "diode";
  if (frameBit(frame, Milli, 3)) return "continuity";
  if (const char* mode = markedMode(frameBit(frame, Modes, 0), frameBit(frame, Modes, 1), unit))
    return mode;
  if (unit == "%") return "duty cycle";
  return unit == "°C" || unit == "°F" ? "temperature" : "";
}

}  // namespace

std::optional<DecodedFrame> Dtm0660Family::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength()) return std::nullopt;
  for (std::size_t i = 0; i < frame.size(); ++i)
    if ((frameByte(frame, i) >> 4) != i + 1) return std::nullopt;
  // The meter marks its frames as sent to the interface, and never lights both AC and DC.
  if (!frameBit(frame, Modes, 3) || (frameBit(frame, Modes, 0) && frameBit(frame, Modes, 1)) ||
      marksLit(frame, Prefixes) > 1 || marksLit(frame, Units) > 1)
    return std::nullopt;

  MeterDisplay display;
  for (std::size_t digit = 0; digit < 4; ++digit) display.digits += shownCharacter(frame, digit);
  if (display.digits.find('?') != std::string::npos) return std::nullopt;
  for (std::size_t digit = 1; digit < 4; ++digit)
    if (frameBit(frame, FirstDigit + 2 * digit, 0)) display.decimals = static_cast<int>(4 - digit);
  display.flags.overload = display.digits.find('L') != std::string::npos;
  if (!display.flags.overload && !fillLeadingBlanks(display.digits)) return std::nullopt;
  display.negative = frameBit(frame, FirstDigit, 0);
  readMarks(frame, Prefixes, display.prefix);
  readMarks(frame, Units, display.unit);
  display.mode = modeOf(frame, display.unit);
  display.flags.autoRange = frameBit(frame, Modes, 2);
  display.flags.relative = frameBit(frame, Farads, 2);
  display.flags.hold = frameBit(frame, Farads, 3);
  display.flags.lowBattery = frameBit(frame, Amperes, 3);
  display.flags.min = frameBit(frame, Extremes, 1);
  display.flags.max = frameBit(frame, Extremes, 3);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
