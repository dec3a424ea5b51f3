// SPDX-License-Identifier: GPL-3.0-or-later
#include "StreamEncoder.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "CountFrames.h"
#include "SegmentFrames.h"
#include "TextFrames.h"

namespace kelvor::metersim {

namespace {

struct Range {
  int code;
  int decimals;
};

// How a coded family shows a unit: function code and the ranges with their decimals.
struct CodedUnit {
  const char* unit;
  const char* mode;  // "": any mode (the AC/DC flags carry it)
  int function;
  std::vector<Range> ranges;
};

const std::vector<CodedUnit>& es51922Units() {
  static const std::vector<CodedUnit> units{
      {"V", "", 0xB, {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
      {"mV", "", 0xB, {{4, 2}}},
      {"A", "", 0x9, {{0, 4}, {1, 3}, {2, 2}, {3, 1}, {4, 0}}},
      {"mA", "", 0xF, {{0, 3}, {1, 2}}},
      {"uA", "", 0xD, {{0, 2}, {1, 1}}},
      {"Ohm", "", 0x3, {{0, 2}}},
      {"kOhm", "", 0x3, {{1, 4}, {2, 3}, {3, 2}}},
      {"MOhm", "", 0x3, {{4, 4}, {5, 3}, {6, 2}}},
      {"nF", "", 0x6, {{0, 3}, {1, 2}}},
      {"uF", "", 0x6, {{2, 4}, {3, 3}, {4, 2}}},
      {"Hz", "", 0x2, {{0, 2}, {1, 1}}},
      {"kHz", "", 0x2, {{3, 3}, {4, 2}}},
      {"C", "", 0x4, {{0, 1}}}};
  return units;
}

const std::vector<CodedUnit>& ut71xUnits() {
  static const std::vector<CodedUnit> units{{"V", "AC", 0x2, {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
                                            {"V", "", 0x1, {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
                                            {"mV", "AC", 0x0, {{0, 2}}},
                                            {"mV", "", 0x3, {{0, 2}}},
                                            {"Ohm", "", 0x4, {{0, 2}}},
                                            {"kOhm", "", 0x4, {{1, 4}, {2, 3}, {3, 2}}},
                                            {"MOhm", "", 0x4, {{4, 4}, {5, 3}}},
                                            {"nF", "", 0x5, {{0, 3}, {1, 2}}},
                                            {"uF", "", 0x5, {{2, 4}, {3, 3}, {4, 2}}},
                                            {"C", "", 0x6, {{0, 1}}},
                                            {"uA", "", 0x7, {{0, 2}, {1, 1}}},
                                            {"mA", "", 0x8, {{0, 3}, {1, 2}}},
                                            {"A", "", 0x9, {{0, 3}}},
                                            {"Hz", "", 0xC, {{0, 2}}},
                                            {"kHz", "", 0xC, {{1, 4}, {2, 3}, {3, 2}}},
                                            {"%", "", 0xF, {{0, 2}}}};
  return units;
}

const CodedUnit* codedUnit(const std::vector<CodedUnit>& units, const Shown& shown) {
  for (const CodedUnit& unit : units)
    if (shown.unit == unit.unit && (unit.mode[0] == '\0' || shown.mode == unit.mode)) return &unit;
  return nullptr;
}

// The value's digits with `decimals` behind the point, if they fit into `digits` places.
std::optional<std::string> digitsOf(double value, int decimals, int digits) {
  const double scaled = std::round(std::fabs(value) * std::pow(10.0, decimals));
  if (!std::isfinite(scaled) || scaled >= std::pow(10.0, digits)) return std::nullopt;
  std::string text = std::to_string(static_cast<std::int64_t>(scaled));
  return std::string(static_cast<std::size_t>(digits) - text.size(), '0') + text;
}

// Range, digits and point of the coded families: the range with the most decimals that fits.
std::optional<std::pair<Range, std::string>> rangeFor(const CodedUnit& unit, const Shown& shown,
                                                      int digits) {
  for (const Range& range : unit.ranges)
    if (const auto text = digitsOf(shown.value, range.decimals, digits))
      return std::pair(range, *text);
  if (shown.overload)
    return std::pair(unit.ranges.back(), std::string(static_cast<std::size_t>(digits), '0'));
  return std::nullopt;
}

char hexDigit(int n) {
  return static_cast<char>(0x30 | (n & 0xF));
}

std::optional<std::string> es51922Frame(const Shown& shown) {
  const CodedUnit* unit = codedUnit(es51922Units(), shown);
  const auto chosen = unit ? rangeFor(*unit, shown, 5) : std::nullopt;
  if (!chosen) return std::nullopt;
  const bool negative = shown.value < 0 && !shown.overload;
  std::string frame(1, hexDigit(chosen->first.code));
  frame += chosen->second;
  frame += hexDigit(unit->function);
  frame += hexDigit((negative ? 4 : 0) | (shown.lowBattery ? 2 : 0) | (shown.overload ? 1 : 0));
  frame += "00";
  frame += hexDigit((shown.mode == "DC" ? 8 : 0) | (shown.mode == "AC" ? 4 : 0) | 2);
  frame += "0\r\n";
  return frame;
}

std::optional<std::string> ut71xFrame(const Shown& shown) {
  const CodedUnit* unit = codedUnit(ut71xUnits(), shown);
  const auto chosen = unit ? rangeFor(*unit, shown, 5) : std::nullopt;
  if (!chosen) return std::nullopt;
  const bool negative = shown.value < 0 && !shown.overload;
  std::string frame = chosen->second;
  frame += hexDigit(chosen->first.code);
  frame += hexDigit(unit->function);
  frame += hexDigit((negative ? 4 : 0) | (shown.lowBattery ? 2 : 0) | (shown.overload ? 1 : 0));
  frame += "1\r\n";  // automatic range
  return frame;
}

const std::vector<CodedUnit>& mm38xrUnits() {
  static const std::vector<CodedUnit> units{{"mV", "AC", 0x10, {{0, 1}}},
                                            {"mV", "", 0x0C, {{0, 1}}},
                                            {"V", "AC", 0x10, {{1, 3}, {2, 2}, {3, 1}}},
                                            {"V", "", 0x0C, {{1, 3}, {2, 2}, {3, 1}}}};
  return units;
}

std::optional<std::string> mm38xrFrame(const Shown& shown) {
  static const char Hex[] = "0123456789ABCDEF";
  const CodedUnit* unit = codedUnit(mm38xrUnits(), shown);
  const auto chosen = unit ? rangeFor(*unit, shown, 4) : std::nullopt;
  if (!chosen) return std::nullopt;
  const bool negative = shown.value < 0 && !shown.overload;
  std::string frame{Hex[unit->function >> 4], Hex[unit->function & 0xF]};
  frame += shown.overload ? "B0DD" : chosen->second;
  frame += "00";  // bar graph
  frame += Hex[chosen->first.code];
  frame += "00A";  // automatic range
  frame += Hex[(negative ? 1 : 0) | (shown.mode == "AC+DC" ? 2 : 0)];
  return frame + "\r\n";
}

// The VC-96's text frame: function, sign, the value right-aligned in five places (4000
// counts), prefix letter and unit.
std::optional<std::string> vc96Frame(const Shown& shown) {
  const auto [prefix, base] = splitUnit(shown.unit);
  std::string function;
  char unit = '\xEA';
  if (base == "V" || base == "A") {
    function = (shown.mode == "AC" ? "AC" : "DC") + base;
    unit = base[0];
  } else if (base == "Ohm") {
    function = "OHM";
  }
  if (function.empty() || prefix == 'n') return std::nullopt;
  std::string value = "  OL ";
  if (!shown.overload) {
    std::optional<std::string> text;
    for (int decimals = 3; decimals >= 0 && !text; --decimals) {
      const auto digits = digitsOf(shown.value, decimals, 4);
      if (!digits || std::stoi(*digits) >= 4000) continue;
      const std::size_t whole = static_cast<std::size_t>(4 - decimals);
      text = std::to_string(std::stoi(digits->substr(0, whole)));
      if (decimals > 0) *text += "." + digits->substr(whole);
    }
    if (!text) return std::nullopt;
    value = std::string(5 - text->size(), ' ') + *text;
  }
  const char sign = shown.value < 0 && !shown.overload ? '-' : ' ';
  return function + sign + value + (prefix == 'k' ? 'K' : prefix) + unit + "\r\n";
}

// The decimals that show the value in four digits with the most precision.
std::optional<std::pair<int, std::string>> fourDigits(const Shown& shown) {
  for (int decimals = 3; decimals >= 0; --decimals)
    if (const auto text = digitsOf(shown.value, decimals, 4)) return std::pair(decimals, *text);
  return std::nullopt;
}

std::optional<std::string> fs9922Frame(const Shown& shown) {
  const auto [prefix, base] = splitUnit(shown.unit);
  const auto digits =
      shown.overload ? std::optional(std::pair(1, std::string("?0:?"))) : fourDigits(shown);
  if (!digits) return std::nullopt;
  static const char Points[] = {'0', '4', '2', '1'};
  std::string frame(1, shown.value < 0 && !shown.overload ? '-' : '+');
  frame += digits->second + ' ' + Points[digits->first];
  const int sb1 = 0x20 | (shown.mode == "DC" ? 0x10 : 0) | (shown.mode == "AC" ? 0x08 : 0);
  const int sb2 = (shown.lowBattery ? 0x04 : 0) | (prefix == 'n' ? 0x02 : 0);
  const int sb3 = (prefix == 'u' ? 0x80 : 0) | (prefix == 'm' ? 0x40 : 0) |
                  (prefix == 'k' ? 0x20 : 0) | (prefix == 'M' ? 0x10 : 0) |
                  (base == "%" ? 0x02 : 0);
  const int sb4 = (base == "V" ? 0x80 : 0) | (base == "A" ? 0x40 : 0) | (base == "Ohm" ? 0x20 : 0) |
                  (base == "Hz" ? 0x08 : 0) | (base == "F" ? 0x04 : 0) | (base == "C" ? 0x02 : 0);
  for (const int status : {sb1, sb2, sb3, sb4, 0}) frame += static_cast<char>(status);
  return frame + "\r\n";
}

// Segments of the digits 0 to 9 and of the overload's L.
constexpr std::array<int, 10> DigitSegments{0x7D, 0x05, 0x5B, 0x1F, 0x27,
                                            0x3E, 0x7E, 0x15, 0x7F, 0x3F};
constexpr int SegmentsL = 0x68;

std::optional<std::string> fs9721Frame(const Shown& shown) {
  const auto [prefix, base] = splitUnit(shown.unit);
  // An overload shows " 0.L ".
  std::array<int, 4> segments{0, DigitSegments[0], SegmentsL, 0};
  int decimals = 2;
  if (!shown.overload) {
    const auto digits = fourDigits(shown);
    if (!digits) return std::nullopt;
    decimals = digits->first;
    for (std::size_t i = 0; i < 4; ++i)
      segments[i] = DigitSegments[static_cast<std::size_t>(digits->second[i] - '0')];
  }
  std::array<int, 14> nibbles{};
  nibbles[0] = (shown.mode == "AC" ? 8 : 0) | (shown.mode == "DC" ? 4 : 0) | 2 | 1;
  for (std::size_t i = 0; i < 4; ++i) {
    const bool mark =
        i == 0 ? shown.value < 0 && !shown.overload : decimals == static_cast<int>(4 - i);
    nibbles[1 + 2 * i] = (mark ? 8 : 0) | (segments[i] >> 4);
    nibbles[2 + 2 * i] = segments[i] & 0xF;
  }
  nibbles[9] = (prefix == 'u' ? 8 : 0) | (prefix == 'n' ? 4 : 0) | (prefix == 'k' ? 2 : 0);
  nibbles[10] = (prefix == 'm' ? 8 : 0) | (base == "%" ? 4 : 0) | (prefix == 'M' ? 2 : 0);
  nibbles[11] = (base == "F" ? 8 : 0) | (base == "Ohm" ? 4 : 0);
  nibbles[12] = (base == "A" ? 8 : 0) | (base == "V" ? 4 : 0) | (base == "Hz" ? 2 : 0) |
                (shown.lowBattery ? 1 : 0);
  std::string frame;
  for (std::size_t i = 0; i < nibbles.size(); ++i)
    frame += static_cast<char>(((i + 1) << 4) | nibbles[i]);
  return frame;
}

}  // namespace

std::pair<char, std::string> splitUnit(const std::string& unit) {
  static const std::string Prefixes = "numkM";
  if (unit.size() > 1 && Prefixes.find(unit[0]) != std::string::npos)
    return {unit[0], unit.substr(1)};
  return {' ', unit};
}

// The --meter names, the polled families first.
constexpr std::pair<const char*, Family> FamilyNames[] = {
    {"single", Family::Single},     {"four", Family::Four},       {"ut61eplus", Family::Ut61ePlus},
    {"fluke28x", Family::Fluke28x}, {"fs9721", Family::Fs9721},   {"fs9922", Family::Fs9922},
    {"es51922", Family::Es51922},   {"ut71x", Family::Ut71x},     {"mm38xr", Family::Mm38xr},
    {"vc96", Family::Vc96},         {"rs9lcd", Family::Rs9lcd},   {"bm25x", Family::Bm25x},
    {"dtm0660", Family::Dtm0660},   {"ms8250d", Family::Ms8250d}, {"ms2115b", Family::Ms2115b},
    {"m2110", Family::M2110},       {"asycii", Family::Asycii},   {"es51978", Family::Es51978},
    {"es51986", Family::Es51986},   {"vc870", Family::Vc870}};

std::optional<Family> familyNamed(const std::string& name) {
  for (const auto& [known, family] : FamilyNames)
    if (name == known) return family;
  return std::nullopt;
}

std::string streamingFamilyNames(const char* lastSeparator) {
  std::string names;
  const std::size_t count = std::size(FamilyNames);
  constexpr std::size_t FirstStreaming = 4;
  for (std::size_t i = FirstStreaming; i < count; ++i)
    names += (i == FirstStreaming ? ""
              : i + 1 == count    ? lastSeparator
                                  : ", ") +
             std::string(FamilyNames[i].first);
  return names;
}

int defaultBaud(Family family) {
  switch (family) {
    case Family::Es51922:
    case Family::Es51986:
      return 19200;
    case Family::Fs9721:
    case Family::Fs9922:
    case Family::Ut71x:
    case Family::Dtm0660:
    case Family::Ms8250d:
    case Family::Asycii:
    case Family::Es51978:
      return 2400;
    case Family::Ms2115b:
      return 1200;
    case Family::Mm38xr:
    case Family::Ut61ePlus:
      return 9600;
    case Family::Fluke28x:
      return 115200;
    case Family::Bm25x:
    case Family::Vc870:
      return 9600;
    case Family::Rs9lcd:
      return 4800;
    default:
      return 1200;
  }
}

bool streams(Family family) {
  return family != Family::Single && family != Family::Four && family != Family::Ut61ePlus &&
         family != Family::Fluke28x;
}

std::optional<std::string> encodeFrame(Family family, const Shown& shown) {
  switch (family) {
    case Family::Fs9721:
      return fs9721Frame(shown);
    case Family::Fs9922:
      return fs9922Frame(shown);
    case Family::Es51922:
      return es51922Frame(shown);
    case Family::Ut71x:
      return ut71xFrame(shown);
    case Family::Mm38xr:
      return mm38xrFrame(shown);
    case Family::Vc96:
      return vc96Frame(shown);
    case Family::Rs9lcd:
      return rs9lcdFrame(shown);
    case Family::Bm25x:
      return bm25xFrame(shown);
    case Family::Dtm0660:
      return dtm0660Frame(shown);
    case Family::Ms8250d:
      return ms8250dFrame(shown);
    case Family::Ms2115b:
      return ms2115bFrame(shown);
    case Family::M2110:
      return m2110Frame(shown);
    case Family::Asycii:
      return asyciiFrame(shown);
    case Family::Es51978:
    case Family::Es51986:
      return es519xxFrame(shown, family == Family::Es51986);
    case Family::Vc870:
      return vc870Frame(shown);
    default:
      return std::nullopt;
  }
}

std::string corrupted(Family family, std::string frame) {
  if (frame.size() < 6) return frame;
  if (family == Family::Fs9721) {
    frame[5] = static_cast<char>((frame[5] & 0x0F) | 0x20);  // byte 6 claims position 2
  } else if (family == Family::Fs9922) {
    frame[0] = '*';
  } else if (family == Family::Ut61ePlus) {
    frame.back() = static_cast<char>(frame.back() ^ 1);  // the sum no longer adds up
  } else if (family == Family::Fluke28x) {
    const std::size_t comma = frame.find(',');  // the fields run together
    if (comma != std::string::npos) frame[comma] = ';';
  } else if (family == Family::Ms2115b) {
    frame[0] = '\x54';  // the sync byte wrong
  } else if (family == Family::Ms8250d) {
    frame.back() = '\x01';  // the closing zero lost
  } else {
    frame[3] = static_cast<char>(frame[3] ^ 0x40);  // the fixed high bits 011 broken
  }
  return frame;
}

}  // namespace kelvor::metersim
