// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Bm25xFamily.h"

#include <array>
#include <utility>

#include "core/acquisition/FrameBits.h"
#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

constexpr std::size_t Modes = 1, FirstDigit = 3, Mega = 11, Ohms = 12, Farads = 13, Volts = 14;

// A digit's segments: A F E from bits 3 to 1 of its first byte (bit 0 is the sign or a point),
// B G C D from bits 3 to 0 of its second, as bits 3 to 1 and 7 to 4 of one number.
constexpr std::array<std::pair<unsigned, char>, 15> Segments{{{0xBE, '0'},
                                                              {0xA0, '1'},
                                                              {0xDA, '2'},
                                                              {0xF8, '3'},
                                                              {0xE4, '4'},
                                                              {0x7C, '5'},
                                                              {0x7E, '6'},
                                                              {0xA8, '7'},
                                                              {0xFE, '8'},
                                                              {0xFC, '9'},
                                                              {0x00, ' '},
                                                              {0x16, 'L'},
                                                              {0x1E, 'C'},
                                                              {0x4E, 'F'},
                                                              {0x40, '-'}}};

char shownCharacter(const std::string& frame, std::size_t digit) {
  const std::size_t first = FirstDigit + 2 * digit;
  const unsigned segments =
      (frameByte(frame, first) & 0x0E) | ((frameByte(frame, first + 1) & 0x0F) << 4);
  for (const auto& [pattern, shown] : Segments)
    if (pattern == segments) return shown;
  return '?';
}

void readUnit(const std::string& frame, MeterDisplay& display) {
  static constexpr BitMark Prefixes[] = {
      {Mega, 0, "k"}, {Mega, 1, "M"}, {Farads, 0, "m"}, {Farads, 1, "µ"}, {Ohms, 0, "n"}};
  static constexpr BitMark Units[] = {
      {Volts, 2, "V"}, {Volts, 1, "A"}, {Ohms, 2, "Ω"}, {Ohms, 1, "Hz"}, {Farads, 2, "F"}};
  readMarks(frame, Prefixes, display.prefix);
  readMarks(frame, Units, display.unit);
}

}  // namespace

std::optional<DecodedFrame> Bm25xFamily::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frameByte(frame, 0) != 0x02) return std::nullopt;
  for (std::size_t i = 1; i < frame.size(); ++i)
    if ((frameByte(frame, i) >> 4) != i) return std::nullopt;

  MeterDisplay display;
  for (std::size_t digit = 0; digit < 4; ++digit) display.digits += shownCharacter(frame, digit);
  if (display.digits.find_first_of("?-") != std::string::npos) return std::nullopt;
  readUnit(frame, display);
  // A temperature shows its unit's letter in the last place.
  const char last = display.digits.back();
  if (last == 'C' || last == 'F') {
    display.unit = last == 'C' ? "°C" : "°F";
    display.prefix.clear();
    display.digits.pop_back();
  }
  // The point before the second, third or fourth digit: bit 0 of that digit's first byte.
  for (std::size_t digit = 1; digit < 4; ++digit)
    if (frameBit(frame, FirstDigit + 2 * digit, 0))
      display.decimals = static_cast<int>(display.digits.size() - digit);
  display.flags.overload = display.digits.find('L') != std::string::npos;
  if (display.digits.find_first_of("CF") != std::string::npos ||
      (!display.flags.overload && !fillLeadingBlanks(display.digits)))
    return std::nullopt;
  display.negative = frameBit(frame, FirstDigit, 0);
  const bool ac = frameBit(frame, Modes, 1), dc = frameBit(frame, Modes, 2);
  if (const char* mode = markedMode(ac, dc, display.unit))
    display.mode = mode;
  else if (display.unit == "V")
    display.mode = "diode";  // volts without AC or DC
  else if (display.unit == "°C" || display.unit == "°F")
    display.mode = "temperature";
  display.flags.autoRange = frameBit(frame, Modes, 3);
  display.flags.relative = frameBit(frame, Modes, 0);
  display.flags.hold = frameBit(frame, Mega, 3);
  display.flags.max = frameBit(frame, Farads, 3);
  display.flags.min = frameBit(frame, Volts, 3);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
