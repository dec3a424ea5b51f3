// SPDX-License-Identifier: GPL-3.0-or-later
#include "CountFrames.h"

#include <cmath>
#include <utility>
#include <vector>

namespace kelvor::metersim {

namespace {

// How the MS2115B shows a unit: function code and its ranges as range code and decimals.
struct CountedUnit {
  const char* unit;
  int function;
  std::vector<std::pair<int, int>> ranges;
};

const std::vector<CountedUnit>& ms2115bUnits() {
  static const std::vector<CountedUnit> units{
      {"A", 1, {{0, 2}}},
      {"A", 0, {{0, 1}}},
      {"V", 2, {{1, 3}, {2, 2}, {3, 1}, {4, 0}}},
      {"mV", 2, {{0, 1}}},
      {"Ohm", 4, {{0, 1}}},
      {"kOhm", 4, {{1, 3}, {2, 2}, {3, 1}}},
      {"MOhm", 4, {{4, 3}, {5, 2}}},
      {"nF", 5, {{0, 3}, {1, 2}, {2, 1}}},
      {"uF", 5, {{3, 3}, {4, 2}, {5, 1}}},
      {"Hz", 6, {{0, 2}, {1, 1}}},
      {"kHz", 6, {{2, 3}, {3, 2}, {4, 1}}},
  };
  return units;
}

// How the ES519xx chips show a unit: function code (low nibble) and ranges with decimals.
const std::vector<CountedUnit>& es519xxUnits(bool fast) {
  static const std::vector<CountedUnit> slow{
      {"V", 0xB, {{1, 3}, {2, 2}, {3, 1}, {4, 0}}},
      {"mV", 0xB, {{0, 1}}},
      {"uA", 0xD, {{0, 1}, {1, 0}}},
      {"mA", 0x9, {{0, 2}, {1, 1}}},
      {"Ohm", 0x3, {{0, 1}}},
      {"kOhm", 0x3, {{1, 3}, {2, 2}, {3, 1}}},
      {"nF", 0x6, {{0, 3}, {1, 2}, {2, 1}}},
      {"kHz", 0x2, {{0, 3}, {1, 2}, {2, 1}}},
  };
  static const std::vector<CountedUnit> fastUnits{
      {"V", 0xB, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},
      {"mV", 0xB, {{4, 1}}},
      {"uA", 0xD, {{0, 1}, {1, 0}}},
      {"mA", 0xF, {{0, 2}, {1, 1}}},
      {"Ohm", 0x3, {{0, 1}}},
      {"kOhm", 0x3, {{1, 3}, {2, 2}, {3, 1}}},
      {"nF", 0x6, {{0, 3}, {1, 2}, {2, 1}}},
      {"kHz", 0x2, {{0, 3}, {1, 2}, {2, 1}}},
  };
  return fast ? fastUnits : slow;
}

// How the VC-870 shows a unit: function and selection digits (DC; AC adds one to the
// selection) and the ranges with their decimals.
const std::vector<CountedUnit>& vc870Units() {
  static const std::vector<CountedUnit> units{
      {"V", 0x00, {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
      {"mV", 0x10, {{0, 2}}},
      {"uA", 0x60, {{0, 2}, {1, 1}}},
      {"mA", 0x70, {{0, 3}, {1, 2}}},
      {"A", 0x80, {{0, 3}}},
      {"Ohm", 0x20, {{0, 2}, {1, 1}}},
      {"kOhm", 0x20, {{2, 2}, {3, 1}}},
      {"nF", 0x30, {{0, 3}, {1, 2}, {2, 1}}},
      {"Hz", 0x50, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},
      {"C", 0x11, {{0, 1}}},
  };
  return units;
}

}  // namespace

std::optional<std::string> vc870Frame(const Shown& shown) {
  for (const CountedUnit& unit : vc870Units()) {
    if (shown.unit != unit.unit) continue;
    for (const auto& [range, decimals] : unit.ranges) {
      const long count =
          shown.overload ? 0 : std::lround(std::fabs(shown.value) * std::pow(10.0, decimals));
      if (count >= 40000) continue;
      std::string digits = std::to_string(count);
      digits.insert(0, 5 - digits.size(), '0');
      // Volts and amperes in AC select the next function variant; volts in AC have their
      // own ranges, one decimal fewer.
      const bool ac = shown.mode == "AC" && (unit.function == 0x00 || unit.function >= 0x60);
      if (ac && unit.function == 0x00 && range == 0) continue;
      const int selected = unit.function + (ac ? 1 : 0);
      const int code = ac && unit.function == 0x00 ? range - 1 : range;
      const bool negative = shown.value < 0 && !shown.overload;
      std::string frame{static_cast<char>('0' + (selected >> 4)),
                        static_cast<char>('0' + (selected & 0xF)), static_cast<char>('0' + code)};
      frame += digits + "00000" + "00";
      frame += static_cast<char>(0x30 | (negative ? 4 : 0) | (shown.lowBattery ? 2 : 0) |
                                 (shown.overload ? 1 : 0));
      return frame + "00000\r\n";
    }
  }
  return std::nullopt;
}

std::optional<std::string> es519xxFrame(const Shown& shown, bool fast) {
  for (const CountedUnit& unit : es519xxUnits(fast)) {
    if (shown.unit != unit.unit) continue;
    for (const auto& [range, decimals] : unit.ranges) {
      const long count =
          shown.overload ? 0 : std::lround(std::fabs(shown.value) * std::pow(10.0, decimals));
      if (count >= 4000) continue;
      std::string digits = std::to_string(count);
      digits.insert(0, 4 - digits.size(), '0');
      const bool negative = shown.value < 0 && !shown.overload;
      std::string block(1, static_cast<char>('0' + range));
      block += digits;
      block += static_cast<char>(0x30 | unit.function);
      block += static_cast<char>(0x30 | (negative ? 4 : 0) | (shown.lowBattery ? 2 : 0) |
                                 (shown.overload ? 1 : 0));
      block += '0';
      block +=
          static_cast<char>(0x30 | (shown.mode == "DC" ? 8 : 0) | (shown.mode == "AC" ? 4 : 0) | 2);
      block += "\r\n";
      return block + block;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ms2115bFrame(const Shown& shown) {
  for (const CountedUnit& unit : ms2115bUnits()) {
    if (shown.unit != unit.unit) continue;
    for (const auto& [range, decimals] : unit.ranges) {
      const long count =
          shown.overload ? 6299 : std::lround(std::fabs(shown.value) * std::pow(10.0, decimals));
      if (count > 6000 && !shown.overload) continue;
      const bool signedReading = unit.function <= 2;
      const long reading = signedReading && shown.value < 0 && !shown.overload ? -count : count;
      const auto bits = static_cast<unsigned>(reading) & 0xFFFF;
      std::string frame{
          '\x55',
          static_cast<char>(unit.function | (signedReading && shown.mode != "AC" ? 8 : 0)),
          static_cast<char>(unit.function == 6 ? 0 : range),
          static_cast<char>(unit.function == 6 ? range : 0),
          static_cast<char>(bits & 0xFF),
          static_cast<char>(bits >> 8)};
      return frame + std::string(3, '\0');
    }
  }
  return std::nullopt;
}

}  // namespace kelvor::metersim
