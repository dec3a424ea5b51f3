// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Fs9922Family.h"

#include "core/acquisition/FrameBits.h"
#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

// Status bytes by position in the frame.
constexpr std::size_t Sb1 = 7, Sb2 = 8, Sb3 = 9, Sb4 = 10;

// Digits right of the point from the position byte: '0' none, '1' d.ddd, '2' dd.dd, '4' ddd.d.
std::optional<int> decimalsOf(char position) {
  switch (position) {
    case '0':
      return 0;
    case '1':
      return 3;
    case '2':
      return 2;
    case '4':
      return 1;
    default:
      return std::nullopt;
  }
}

void readUnit(const std::string& frame, MeterDisplay& display) {
  static constexpr BitMark Prefixes[] = {
      {Sb2, 1, "n"}, {Sb3, 7, "µ"}, {Sb3, 6, "m"}, {Sb3, 5, "k"}, {Sb3, 4, "M"}};
  static constexpr BitMark Units[] = {{Sb3, 1, "%"}, {Sb4, 7, "V"},   {Sb4, 6, "A"},
                                      {Sb4, 5, "Ω"}, {Sb4, 4, "hFE"}, {Sb4, 3, "Hz"},
                                      {Sb4, 2, "F"}, {Sb4, 1, "°C"},  {Sb4, 0, "°F"}};
  readMarks(frame, Prefixes, display.prefix);
  readMarks(frame, Units, display.unit);
}

std::string modeOf(const std::string& frame, const std::string& unit) {
  const bool ac = frameBit(frame, Sb1, 3);
  const bool dc = frameBit(frame, Sb1, 4);
  if (frameBit(frame, Sb3, 2)) return "diode";
  if (frameBit(frame, Sb3, 3)) return "continuity";
  if (const char* mode = markedMode(ac, dc, unit)) return mode;
  if (unit == "°C" || unit == "°F") return "temperature";
  if (unit == "hFE") return "hFE";
  return unit == "%" ? "duty cycle" : "";
}

}  // namespace

std::optional<DecodedFrame> Fs9922Family::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[12] != '\r' || frame[13] != '\n') return std::nullopt;
  if ((frame[0] != '+' && frame[0] != '-') || frame[5] != ' ') return std::nullopt;
  // The two high bits of the first status byte are always clear.
  if (frameBit(frame, Sb1, 7) || frameBit(frame, Sb1, 6)) return std::nullopt;
  const std::optional<int> decimals = decimalsOf(frame[6]);
  if (!decimals) return std::nullopt;

  MeterDisplay display;
  display.digits = frame.substr(1, 4);
  display.decimals = *decimals;
  // An overload shows as "OL" and is sent as the digits "?0:?".
  display.flags.overload = display.digits == "?0:?";
  if (!display.flags.overload &&
      display.digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  display.overloadText = "OL";
  display.negative = frame[0] == '-';
  readUnit(frame, display);
  display.mode = modeOf(frame, display.unit);
  display.flags.autoRange = frameBit(frame, Sb1, 5);
  display.flags.relative = frameBit(frame, Sb1, 2);
  display.flags.hold = frameBit(frame, Sb1, 1);
  display.flags.max = frameBit(frame, Sb2, 5);
  display.flags.min = frameBit(frame, Sb2, 4);
  display.flags.lowBattery = frameBit(frame, Sb2, 2);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
