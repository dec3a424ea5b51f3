// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Fs9922Family.h"

#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

// Status bytes by position in the frame.
constexpr std::size_t Sb1 = 7, Sb2 = 8, Sb3 = 9, Sb4 = 10;

bool bit(const std::string& frame, std::size_t index, int number) {
  return (static_cast<unsigned char>(frame[index]) >> number) & 1;
}

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
  struct Mark {
    std::size_t index;
    int bit;
    const char* text;
  };
  static constexpr Mark Prefixes[] = {
      {Sb2, 1, "n"}, {Sb3, 7, "µ"}, {Sb3, 6, "m"}, {Sb3, 5, "k"}, {Sb3, 4, "M"}};
  static constexpr Mark Units[] = {{Sb3, 1, "%"}, {Sb4, 7, "V"},   {Sb4, 6, "A"},
                                   {Sb4, 5, "Ω"}, {Sb4, 4, "hFE"}, {Sb4, 3, "Hz"},
                                   {Sb4, 2, "F"}, {Sb4, 1, "°C"},  {Sb4, 0, "°F"}};
  for (const Mark& mark : Prefixes)
    if (bit(frame, mark.index, mark.bit)) display.prefix = mark.text;
  for (const Mark& mark : Units)
    if (bit(frame, mark.index, mark.bit)) display.unit = mark.text;
}

std::string modeOf(const std::string& frame, const std::string& unit) {
  const bool ac = bit(frame, Sb1, 3);
  const bool dc = bit(frame, Sb1, 4);
  if (bit(frame, Sb3, 2)) return "diode";
  if (bit(frame, Sb3, 3)) return "continuity";
  if (ac && dc) return "AC+DC";
  if (ac) return "AC";
  if (dc) return "DC";
  if (unit == "Ω") return "resistance";
  if (unit == "F") return "capacitance";
  if (unit == "Hz") return "frequency";
  if (unit == "°C" || unit == "°F") return "temperature";
  if (unit == "hFE") return "hFE";
  return unit == "%" ? "duty cycle" : "";
}

}  // namespace

std::optional<DecodedFrame> Fs9922Family::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[12] != '\r' || frame[13] != '\n') return std::nullopt;
  if ((frame[0] != '+' && frame[0] != '-') || frame[5] != ' ') return std::nullopt;
  // The two high bits of the first status byte are always clear.
  if (bit(frame, Sb1, 7) || bit(frame, Sb1, 6)) return std::nullopt;
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
  display.flags.autoRange = bit(frame, Sb1, 5);
  display.flags.relative = bit(frame, Sb1, 2);
  display.flags.hold = bit(frame, Sb1, 1);
  display.flags.max = bit(frame, Sb2, 5);
  display.flags.min = bit(frame, Sb2, 4);
  display.flags.lowBattery = bit(frame, Sb2, 2);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
