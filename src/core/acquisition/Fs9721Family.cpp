// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Fs9721Family.h"

#include <array>

#include "core/acquisition/FrameBits.h"
#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

// The seven segments of one digit: bits 6 to 4 from the low nibble of the digit's first
// byte (its bit 3 is the sign or a decimal point), bits 3 to 0 from the second byte.
constexpr std::array<std::pair<unsigned, char>, 12> Segments{{{0x7D, '0'},
                                                              {0x05, '1'},
                                                              {0x5B, '2'},
                                                              {0x1F, '3'},
                                                              {0x27, '4'},
                                                              {0x3E, '5'},
                                                              {0x7E, '6'},
                                                              {0x15, '7'},
                                                              {0x7F, '8'},
                                                              {0x3F, '9'},
                                                              {0x68, 'L'},
                                                              {0x00, ' '}}};

char shownCharacter(unsigned segments) {
  for (const auto& [pattern, shown] : Segments)
    if (pattern == segments) return shown;
  return '?';
}

// The four digit positions as shown ("1234", " 0L ", with '?' for no known character) and
// where the point stands.
std::string shownDigits(const std::string& frame, int& decimals) {
  std::string shown;
  decimals = 0;
  for (std::size_t digit = 0; digit < 4; ++digit) {
    const std::size_t first = 1 + 2 * digit;
    const unsigned segments = ((static_cast<unsigned char>(frame[first]) & 0x7u) << 4) |
                              (static_cast<unsigned char>(frame[first + 1]) & 0xFu);
    if (digit > 0 && frameBit(frame, first, 3)) decimals = static_cast<int>(4 - digit);
    shown += shownCharacter(segments);
  }
  return shown;
}

void readUnit(const std::string& frame, MeterDisplay& display) {
  static constexpr BitMark Prefixes[] = {
      {9, 3, "µ"}, {9, 2, "n"}, {9, 1, "k"}, {10, 3, "m"}, {10, 1, "M"}};
  static constexpr BitMark Units[] = {{11, 3, "F"}, {11, 2, "Ω"},  {12, 3, "A"},
                                      {12, 2, "V"}, {12, 1, "Hz"}, {10, 2, "%"}};
  readMarks(frame, Prefixes, display.prefix);
  readMarks(frame, Units, display.unit);
}

std::string modeOf(const std::string& frame, const std::string& unit) {
  const bool ac = frameBit(frame, 0, 3);
  const bool dc = frameBit(frame, 0, 2);
  if (frameBit(frame, 9, 0)) return "diode";
  if (frameBit(frame, 10, 0)) return "continuity";
  if (const char* mode = markedMode(ac, dc, unit)) return mode;
  return unit == "%" ? "duty cycle" : "";
}

}  // namespace

std::optional<DecodedFrame> Fs9721Family::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength()) return std::nullopt;
  for (std::size_t i = 0; i < frame.size(); ++i)
    if ((static_cast<unsigned char>(frame[i]) >> 4) != i + 1) return std::nullopt;

  MeterDisplay display;
  display.digits = shownDigits(frame, display.decimals);
  if (display.digits.find('?') != std::string::npos) return std::nullopt;
  display.flags.overload = display.digits.find('L') != std::string::npos;
  if (display.flags.overload) {
    // "0.L" or "O.L" as the display has it: the zero of the overload reads as the letter.
    std::string text;
    for (std::size_t i = 0; i < display.digits.size(); ++i) {
      if (display.digits[i] == ' ') continue;
      if (display.decimals > 0 &&
          i == display.digits.size() - static_cast<std::size_t>(display.decimals) && !text.empty())
        text += '.';
      text += display.digits[i] == '0' ? 'O' : display.digits[i];
    }
    display.overloadText = text;
  } else {
    // Blank positions are leading digits the display leaves dark.
    const std::size_t firstShown = display.digits.find_first_not_of(' ');
    if (firstShown == std::string::npos) return std::nullopt;
    if (display.digits.find(' ', firstShown) != std::string::npos) return std::nullopt;
    for (char& c : display.digits)
      if (c == ' ') c = '0';
  }
  display.negative = frameBit(frame, 1, 3);
  readUnit(frame, display);
  display.mode = modeOf(frame, display.unit);
  display.flags.autoRange = frameBit(frame, 0, 1);
  display.flags.relative = frameBit(frame, 11, 1);
  display.flags.hold = frameBit(frame, 11, 0);
  display.flags.lowBattery = frameBit(frame, 12, 0);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
