// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Ut61ePlusFamily.h"

#include <array>
#include <cstdint>
#include <iterator>

#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

constexpr char Request[] = "\xAB\xCD\x03\x5E\x01\xD9";
constexpr std::size_t Mode = 3, Range = 4, Shown = 5, ShownLength = 7, Flags = 14, Sum = 17;

// A function of the meter by its mode code: unit, mode and the prefix of each range. A
// function without unit shows no number (voltage detection).
struct Function {
  const char* unit;
  const char* mode;
  std::array<const char*, 8> prefixes;
};

// Most functions keep their prefix in every range; the meters differ in how many they have.
constexpr std::array<const char*, 8> Plain{"", "", "", "", "", "", "", ""};
constexpr std::array<const char*, 8> Milli{"m", "m", "m", "m", "m", "m", "m", "m"};
constexpr std::array<const char*, 8> Micro{"µ", "µ", "µ", "µ", "µ", "µ", "µ", "µ"};

// By mode code, as the maker's tables of the UT61E+, UT61B+, UT61D+ and UT161 list them.
constexpr Function Functions[] = {
    {"V", "AC", Plain},                                              // 0x00
    {"V", "AC", Milli},                                              // 0x01 mV
    {"V", "DC", Plain},                                              // 0x02
    {"V", "DC", Milli},                                              // 0x03 mV
    {"Hz", "frequency", {"", "", "k", "k", "k", "M", "M", "M"}},     // 0x04
    {"%", "duty cycle", Plain},                                      // 0x05
    {"Ω", "resistance", {"", "k", "k", "k", "M", "M", "M", "M"}},    // 0x06
    {"Ω", "continuity", Plain},                                      // 0x07
    {"V", "diode", Plain},                                           // 0x08
    {"F", "capacitance", {"n", "n", "µ", "µ", "µ", "m", "m", "m"}},  // 0x09
    {"°C", "temperature", Plain},                                    // 0x0A
    {"°F", "temperature", Plain},                                    // 0x0B
    {"A", "DC", Micro},                                              // 0x0C µA
    {"A", "AC", Micro},                                              // 0x0D µA
    {"A", "DC", Milli},                                              // 0x0E mA
    {"A", "AC", Milli},                                              // 0x0F mA
    {"A", "DC", Plain},                                              // 0x10
    {"A", "AC", Plain},                                              // 0x11
    {"hFE", "hFE", Plain},                                           // 0x12
    {nullptr, "live", Plain},                                        // 0x13
    {nullptr, "NCV", Plain},                                         // 0x14
    {"V", "LoZ", Plain},                                             // 0x15
    {"A", "AC", Plain},                                              // 0x16
    {"A", "DC", Plain},                                              // 0x17
    {"V", "AC", Plain},                                              // 0x18 low-pass filter
    {"V", "AC+DC", Plain},                                           // 0x19
    {"V", "AC", Plain},                                              // 0x1A low-pass filter
    {"A", "AC+DC", Plain},                                           // 0x1B
    {"V", "AC", Plain},                                              // 0x1C low-pass filter
    {"A", "AC+DC", Plain},                                           // 0x1D
};

unsigned byteAt(const std::string& frame, std::size_t index) {
  return static_cast<unsigned char>(frame[index]);
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The display as shown ("-1.2345", "  OL.", "-O.L"): a number with its point, or the overload
// in any of its forms; false for any other text.
bool readShown(std::string_view shown, MeterDisplay& display) {
  std::string_view text = trimmed(shown);
  display.negative = !text.empty() && text.front() == '-';
  if (display.negative) text = trimmed(text.substr(1));
  if (text == "OL" || text == ".OL" || text == "O.L" || text == "OL.") {
    display.flags.overload = true;
    display.overloadText = std::string(display.negative ? "-" : "") + std::string(text);
    return true;
  }
  const std::size_t point = text.find('.');
  if (point == 0 || (point != std::string_view::npos && text.find('.', point + 1) != text.npos))
    return false;
  for (const char c : text)
    if (c != '.') display.digits += c;
  if (display.digits.empty() || display.digits.find_first_not_of("0123456789") != std::string::npos)
    return false;
  if (point != std::string_view::npos) display.decimals = static_cast<int>(text.size() - point - 1);
  return true;
}

}  // namespace

std::string_view Ut61ePlusFamily::pollCommand() const {
  return {Request, sizeof Request - 1};
}

std::optional<DecodedFrame> Ut61ePlusFamily::decode(std::string& frame,
                                                    char decimalSeparator) const {
  if (frame.size() != answerLength() || byteAt(frame, 0) != 0xAB || byteAt(frame, 1) != 0xCD ||
      byteAt(frame, 2) != answerLength() - 3)
    return std::nullopt;
  unsigned sum = 0;
  for (std::size_t i = 0; i < Sum; ++i) sum += byteAt(frame, i);
  if ((sum & 0xFFFF) != (byteAt(frame, Sum) << 8 | byteAt(frame, Sum + 1))) return std::nullopt;
  const unsigned code = byteAt(frame, Mode);
  const unsigned range = byteAt(frame, Range) - '0';
  if (code >= std::size(Functions) || range >= 8) return std::nullopt;
  const Function& function = Functions[code];

  MeterDisplay display;
  const std::string_view shown = std::string_view(frame).substr(Shown, ShownLength);
  if (!function.unit) {
    // Voltage detection shows bars or dashes, or nothing, never a number.
    DecodedFrame detection;
    detection.valueText = trimmed(shown).empty() ? "----" : std::string(trimmed(shown));
    detection.mode = detection.modeText = function.mode;
    return detection;
  }
  if (!readShown(shown, display)) return std::nullopt;
  const unsigned modes = byteAt(frame, Flags), state = byteAt(frame, Flags + 1);
  display.flags.relative = modes & 1;
  display.flags.hold = modes & 2;
  display.flags.min = modes & 4;
  display.flags.max = modes & 8;
  display.flags.autoRange = !(state & 4);
  display.flags.lowBattery = state & 2;
  display.prefix = function.prefixes[range];
  display.unit = function.unit;
  display.mode = function.mode;
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
