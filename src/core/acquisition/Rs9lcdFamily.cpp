// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Rs9lcdFamily.h"

#include "core/acquisition/FrameBits.h"
#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

constexpr std::size_t Mode = 0, Units = 1, MoreUnits = 2, Status = 7, Checksum = 8;
// The byte of each digit, the leftmost first; bit 3 of the digit bytes is a point or a mark.
constexpr std::size_t DigitBytes[] = {6, 5, 4, 3};
constexpr unsigned MarkBit = 0x08;

// The segments of a digit byte without its bit 3 (bits: D C G B - E F A), and what they show.
char shownCharacter(unsigned segments) {
  switch (segments) {
    case 0xD7:
      return '0';
    case 0x50:
      return '1';
    case 0xB5:
      return '2';
    case 0xF1:
      return '3';
    case 0x72:
      return '4';
    case 0xE3:
      return '5';
    case 0xE7:
      return '6';
    case 0x51:
      return '7';
    case 0xF7:
      return '8';
    case 0xF3:
      return '9';
    case 0x86:
      return 'L';
    case 0x00:
      return ' ';
    default:
      return '?';
  }
}

// The kind of measurement by the mode byte, as far as the mode names it.
const char* modeNamed(unsigned mode) {
  static constexpr const char* Modes[] = {
      "DC",          "AC",         "DC",         "DC",          "DC",          "AC",
      "AC",          "AC",         "resistance", "capacitance", "frequency",   "frequency",
      "frequency",   "duty cycle", "duty cycle", "duty cycle",  "pulse width", "pulse width",
      "pulse width", "diode",      "continuity", "hFE"};
  return mode < sizeof Modes / sizeof Modes[0] ? Modes[mode] : "";
}

void readUnit(const std::string& frame, MeterDisplay& display) {
  static constexpr BitMark Prefixes[] = {
      {Units, 0, "m"}, {Units, 5, "k"}, {Units, 4, "M"}, {MoreUnits, 7, "µ"}, {MoreUnits, 6, "n"}};
  static constexpr BitMark Marks[] = {
      {Units, 7, "Hz"},    {Units, 6, "Ω"},     {Units, 3, "F"},
      {Units, 2, "A"},     {Units, 1, "V"},     {MoreUnits, 5, "dBm"},
      {MoreUnits, 4, "s"}, {MoreUnits, 3, "%"}, {MoreUnits, 2, "hFE"}};
  readMarks(frame, Prefixes, display.prefix);
  readMarks(frame, Marks, display.unit);
}

}  // namespace

std::optional<DecodedFrame> Rs9lcdFamily::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength()) return std::nullopt;
  unsigned sum = 57;  // the meter's checksum starts from 57
  for (std::size_t i = 0; i < Checksum; ++i) sum += frameByte(frame, i);
  if ((sum & 0xFF) != frameByte(frame, Checksum)) return std::nullopt;

  MeterDisplay display;
  for (const std::size_t index : DigitBytes) {
    const char shown = shownCharacter(frameByte(frame, index) & ~MarkBit);
    if (shown == '?') return std::nullopt;
    display.digits += shown;
  }
  // The points DP1 to DP3 stand after the first, second and third digit.
  for (int point = 1; point <= 3; ++point)
    if (frameBit(frame, DigitBytes[point], 3)) display.decimals = 4 - point;
  const std::size_t firstShown = display.digits.find_first_not_of(' ');
  if (firstShown == std::string::npos) return std::nullopt;
  display.flags.overload = display.digits.find('L') != std::string::npos;
  if (!display.flags.overload) {
    // Dark positions are leading digits the display leaves out.
    if (display.digits.find(' ', firstShown) != std::string::npos) return std::nullopt;
    for (char& c : display.digits)
      if (c == ' ') c = '0';
  }
  display.negative = frameBit(frame, Status, 3);
  readUnit(frame, display);
  display.mode = modeNamed(frameByte(frame, Mode));
  display.flags.autoRange = frameBit(frame, Status, 0);
  display.flags.hold = frameBit(frame, Status, 4);
  display.flags.lowBattery = frameBit(frame, Status, 5);
  display.flags.relative = frameBit(frame, MoreUnits, 1);
  display.flags.min = frameBit(frame, MoreUnits, 0);
  display.flags.max = frameBit(frame, DigitBytes[0], 3);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
