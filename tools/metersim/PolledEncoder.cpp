// SPDX-License-Identifier: GPL-3.0-or-later
#include "PolledEncoder.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace kelvor::metersim {

namespace {

// How the ut61eplus meters show a unit: mode codes for AC and DC (the same when the unit
// knows no AC) and the ranges by code with their decimals, smallest range first.
struct UnitRanges {
  const char* unit;
  int acMode;
  int dcMode;
  std::vector<std::pair<int, int>> ranges;  // range code, decimals
};

const std::vector<UnitRanges>& ut61ePlusUnits() {
  static const std::vector<UnitRanges> units{
      {"V", 0x00, 0x02, {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
      {"mV", 0x01, 0x03, {{0, 2}}},
      {"uA", 0x0D, 0x0C, {{0, 2}, {1, 1}}},
      {"mA", 0x0F, 0x0E, {{0, 3}, {1, 2}}},
      {"A", 0x11, 0x10, {{1, 3}}},
      {"Ohm", 0x06, 0x06, {{0, 2}}},
      {"kOhm", 0x06, 0x06, {{1, 4}, {2, 3}, {3, 2}}},
      {"MOhm", 0x06, 0x06, {{4, 4}, {5, 3}, {6, 2}}},
      {"nF", 0x09, 0x09, {{0, 3}, {1, 2}}},
      {"uF", 0x09, 0x09, {{2, 4}, {3, 3}, {4, 2}}},
      {"Hz", 0x04, 0x04, {{0, 2}, {1, 1}}},
      {"kHz", 0x04, 0x04, {{2, 4}, {3, 3}, {4, 2}}},
      {"C", 0x0A, 0x0A, {{0, 1}}},
      {"%", 0x05, 0x05, {{0, 1}}},
  };
  return units;
}

// The value with `decimals`, right-aligned in `width` characters; nothing when its digits
// reach `counts`.
std::optional<std::string> shownNumber(double value, int decimals, double counts, int width) {
  if (std::round(std::fabs(value) * std::pow(10.0, decimals)) >= counts) return std::nullopt;
  char text[32];
  std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
  return std::string(text);
}

std::optional<std::string> ut61ePlusAnswer(const Shown& shown) {
  const UnitRanges* unit = nullptr;
  for (const UnitRanges& known : ut61ePlusUnits())
    if (shown.unit == known.unit) unit = &known;
  if (!unit) return std::nullopt;
  int range = unit->ranges.back().first;
  std::string display = " OL.   ";
  if (!shown.overload) {
    std::optional<std::string> number;
    for (const auto& [code, decimals] : unit->ranges) {
      number = shownNumber(shown.value, decimals, 22000, 7);
      range = code;
      if (number) break;
    }
    if (!number) return std::nullopt;
    display = *number;
  }
  std::string answer = "\xAB\xCD\x10";
  answer += static_cast<char>(shown.mode == "AC" ? unit->acMode : unit->dcMode);
  answer += static_cast<char>('0' + range);
  answer += display;
  answer += std::string(2, '\0');  // the bar graph
  answer += static_cast<char>(0);
  answer += static_cast<char>(shown.lowBattery ? 2 : 0);
  answer += static_cast<char>(shown.mode == "AC" ? 8 : 0);
  unsigned sum = 0;
  for (const char c : answer) sum += static_cast<unsigned char>(c);
  answer += static_cast<char>(sum >> 8 & 0xFF);
  answer += static_cast<char>(sum & 0xFF);
  return answer;
}

// The unit name and power of ten of a simulator unit on the remote interface.
struct RemoteUnit {
  const char* unit;
  const char* dc;
  const char* ac;
  int exponent;
};
constexpr RemoteUnit kRemoteUnits[] = {
    {"V", "VDC", "VAC", 0},    {"mV", "VDC", "VAC", -3},  {"A", "ADC", "AAC", 0},
    {"mA", "ADC", "AAC", -3},  {"uA", "ADC", "AAC", -6},  {"Ohm", "OHM", "OHM", 0},
    {"kOhm", "OHM", "OHM", 3}, {"MOhm", "OHM", "OHM", 6}, {"nF", "F", "F", -9},
    {"uF", "F", "F", -6},      {"Hz", "Hz", "Hz", 0},     {"kHz", "Hz", "Hz", 3},
    {"C", "CEL", "CEL", 0},    {"%", "PCT", "PCT", 0},
};

std::optional<std::string> fluke28xAnswer(const Shown& shown) {
  for (const RemoteUnit& known : kRemoteUnits) {
    if (shown.unit != known.unit) continue;
    const std::string unit = shown.mode == "AC" ? known.ac : known.dc;
    if (shown.overload) return "0\r+9.99999999E+37," + unit + ",OL,NONE\r";
    // 50000 counts: as many decimals as fit, at most four.
    for (int decimals = 4; decimals >= 0; --decimals) {
      const std::optional<std::string> number = shownNumber(shown.value, decimals, 50000, 1);
      if (number)
        return "0\r" + *number + "E" + std::to_string(known.exponent) + "," + unit +
               ",NORMAL,NONE\r";
    }
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> encodeAnswer(Family family, const Shown& shown) {
  if (family == Family::Ut61ePlus) return ut61ePlusAnswer(shown);
  if (family == Family::Fluke28x) return fluke28xAnswer(shown);
  return std::nullopt;
}

}  // namespace kelvor::metersim
