// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Ms8250dFamily.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "core/acquisition/FrameBits.h"
#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

constexpr std::size_t Sign = 0, Status = 1, Direct = 2, Prefixes = 8, Units = 9, MoreUnits = 10,
                      Tests = 11, Relative = 15, Modes = 16, End = 17;

// A main digit's segments as one number: D G A in bits 10 to 8, E F in 5 and 4, C B in 1
// and 0; and what they show.
constexpr std::array<std::pair<unsigned, char>, 12> Segments{{{0x533, '0'},
                                                              {0x003, '1'},
                                                              {0x721, '2'},
                                                              {0x703, '3'},
                                                              {0x213, '4'},
                                                              {0x712, '5'},
                                                              {0x732, '6'},
                                                              {0x103, '7'},
                                                              {0x733, '8'},
                                                              {0x713, '9'},
                                                              {0x430, 'L'},
                                                              {0x000, ' '}}};

// The segments of digit 0 to 3: the even digits lie in bytes 2-3 and 5-6, the odd ones in
// 4-5 and 7-8, each pair sharing its bytes with its neighbours.
char shownCharacter(const std::string& frame, std::size_t digit) {
  unsigned segments = 0;
  if (digit % 2 == 0) {
    const std::size_t low = 2 + 3 * (digit / 2);
    segments = ((frameByte(frame, low + 1) & 0x07) << 8) | (frameByte(frame, low) & 0x30) |
               ((frameByte(frame, low + 1) & 0x30) >> 4);
  } else {
    const std::size_t high = 4 + 3 * (digit / 2);
    segments = ((frameByte(frame, high) & 0x73) << 4) | (frameByte(frame, high + 1) & 0x03);
  }
  for (const auto& [pattern, shown] : Segments)
    if (pattern == segments) return shown;
  return '?';
}

// The second display's places (bytes 12 to 15 without bit 7) show a digit or nothing; a '2'
// is told both with and without segment E.
bool secondDisplayShowsDigits(const std::string& frame) {
  static constexpr unsigned Digits[] = {0x00, 0x7D, 0x05, 0x1B, 0x5B, 0x1F,
                                        0x27, 0x3E, 0x7E, 0x15, 0x7F, 0x3F};
  for (std::size_t i = 12; i < 16; ++i)
    if (std::find(std::begin(Digits), std::end(Digits), frameByte(frame, i) & 0x7F) ==
        std::end(Digits))
      return false;
  return true;
}

constexpr BitMark UnitMarks[] = {{Units, 4, "V"},
                                 {Units, 6, "Ω"},
                                 {MoreUnits, 0, "A"},
                                 {MoreUnits, 1, "F"},
                                 {MoreUnits, 2, "Hz"}};

}  // namespace

std::optional<DecodedFrame> Ms8250dFamily::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frameByte(frame, End) != 0) return std::nullopt;
  MeterDisplay display;
  readMarks(frame, UnitMarks, display.unit);
  // µ is a mark of its own beside the farads.
  const BitMark prefixMarks[] = {
      {Prefixes, 5, "n"},
      {display.unit == "F" ? Units : Prefixes, display.unit == "F" ? 1 : 4, "µ"},
      {Units, 0, "m"},
      {Units, 2, "k"},
      {Prefixes, 6, "M"}};
  const bool ac = frameBit(frame, Status, 4), dc = frameBit(frame, Direct, 1);
  // The meter marks its frames as sent to the interface, never lights AC and DC together nor
  // two points; that and the second display tell a frame from a window across two.
  const BitMark points[] = {{3, 6, ""}, {5, 6, ""}, {7, 2, ""}};
  if (!frameBit(frame, Status, 1) || (ac && dc) || marksLit(frame, UnitMarks) > 1 ||
      marksLit(frame, prefixMarks) > 1 || marksLit(frame, points) > 1 ||
      !secondDisplayShowsDigits(frame))
    return std::nullopt;
  readMarks(frame, prefixMarks, display.prefix);

  for (std::size_t digit = 0; digit < 4; ++digit) display.digits += shownCharacter(frame, digit);
  if (display.digits.find('?') != std::string::npos) return std::nullopt;
  display.flags.overload = display.digits.find('L') != std::string::npos;
  if (!display.flags.overload && !fillLeadingBlanks(display.digits)) return std::nullopt;
  // The points after the first, second and third digit.
  if (frameBit(frame, 3, 6)) display.decimals = 3;
  if (frameBit(frame, 5, 6)) display.decimals = 2;
  if (frameBit(frame, 7, 2)) display.decimals = 1;
  display.negative = frameBit(frame, Sign, 2);
  if (frameBit(frame, Tests, 0))
    display.mode = "diode";
  else if (frameBit(frame, Tests, 1))
    display.mode = "continuity";
  else if (const char* mode = markedMode(ac, dc, display.unit))
    display.mode = mode;
  display.flags.lowBattery = frameBit(frame, Status, 5);
  display.flags.autoRange = frameBit(frame, Modes, 4);
  display.flags.hold = frameBit(frame, Modes, 3);
  display.flags.min = frameBit(frame, Modes, 2);
  display.flags.max = frameBit(frame, Modes, 1);
  display.flags.relative = frameBit(frame, Relative, 7);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
