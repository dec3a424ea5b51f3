// SPDX-License-Identifier: GPL-3.0-or-later
#include "SegmentFrames.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace kelvor::metersim {

namespace {

// Segments D C G B - E F A of the digits 0 to 9 and of the overload's L.
constexpr std::array<unsigned, 10> Rs9lcdDigits{0xD7, 0x50, 0xB5, 0xF1, 0x72,
                                                0xE3, 0xE7, 0x51, 0xF7, 0xF3};
constexpr unsigned Rs9lcdL = 0x86;

struct Rs9lcdUnit {
  const char* unit;  // the simulator's unit name
  unsigned dcMode, acMode;
  unsigned units, moreUnits;  // the annunciator bytes 1 and 2
};

constexpr Rs9lcdUnit Rs9lcdUnits[] = {
    {"V", 0, 1, 0x02, 0},     {"mV", 0, 1, 0x03, 0},    {"A", 4, 7, 0x04, 0},
    {"mA", 3, 6, 0x05, 0},    {"uA", 2, 5, 0x04, 0x80}, {"Ohm", 8, 8, 0x40, 0},
    {"kOhm", 8, 8, 0x60, 0},  {"MOhm", 8, 8, 0x50, 0},  {"nF", 9, 9, 0x08, 0x40},
    {"uF", 9, 9, 0x08, 0x80}, {"Hz", 10, 10, 0x80, 0},  {"kHz", 10, 10, 0xA0, 0},
    {"%", 13, 13, 0, 0x08},
};

// Segments of the BM25x digits 0 to 9: A F E as bits 3 to 1, B G C D as bits 7 to 4.
constexpr std::array<unsigned, 10> Bm25xDigits{0xBE, 0xA0, 0xDA, 0xF8, 0xE4,
                                               0x7C, 0x7E, 0xA8, 0xFE, 0xFC};
constexpr unsigned Bm25xL = 0x16, Bm25xC = 0x1E;

// Segments of the DTM0660 digits 0 to 9 and of the overload's L; bit 4 is the sign or point.
constexpr std::array<unsigned, 10> Dtm0660Digits{0xEB, 0x0A, 0xAD, 0x8F, 0x4E,
                                                 0xC7, 0xE7, 0x8A, 0xEF, 0xCF};
constexpr unsigned Dtm0660L = 0x61;

// Segments of the MS8250D digits 0 to 9 and of the overload's L: D G A in bits 10 to 8,
// E F in 5 and 4, C B in 1 and 0.
constexpr std::array<unsigned, 10> Ms8250dDigits{0x533, 0x003, 0x721, 0x703, 0x213,
                                                 0x712, 0x732, 0x103, 0x733, 0x713};
constexpr unsigned Ms8250dL = 0x430;

}  // namespace

std::optional<std::pair<std::string, int>> countedDigits(double value, int places, long counts) {
  for (int decimals = places - 1; decimals >= 0; --decimals) {
    const long count = std::lround(std::fabs(value) * std::pow(10.0, decimals));
    if (count >= counts) continue;
    std::string digits = std::to_string(count);
    return std::pair(std::string(static_cast<std::size_t>(places) - digits.size(), '0') + digits,
                     decimals);
  }
  return std::nullopt;
}

std::optional<std::string> bm25xFrame(const Shown& shown) {
  const auto [prefix, base] = splitUnit(shown.unit);
  const bool temperature = base == "C";
  static const std::string Bases[] = {"V", "A", "Ohm", "F", "Hz", "C"};
  if (std::find(std::begin(Bases), std::end(Bases), base) == std::end(Bases)) return std::nullopt;
  // The digits, the leftmost first; an overload shows " 0.L ".
  std::array<unsigned, 4> segments{0, Bm25xDigits[0], Bm25xL, 0};
  int decimals = 2;
  if (!shown.overload) {
    const auto digits = countedDigits(shown.value, temperature ? 3 : 4, temperature ? 1000 : 6000);
    if (!digits) return std::nullopt;
    decimals = digits->second;
    for (std::size_t i = 0; i < digits->first.size(); ++i)
      segments[i] = Bm25xDigits[static_cast<std::size_t>(digits->first[i] - '0')];
  }
  if (temperature) segments[3] = Bm25xC;
  const std::size_t shownDigits = temperature ? 3 : 4;
  std::array<unsigned, 15> nibbles{};
  nibbles[1] = 8 | (shown.mode == "DC" ? 4 : 0) | (shown.mode == "AC" ? 2 : 0);
  for (std::size_t i = 0; i < 4; ++i) {
    const bool mark = i == 0
                          ? shown.value < 0 && !shown.overload
                          : decimals > 0 && i == shownDigits - static_cast<std::size_t>(decimals);
    nibbles[3 + 2 * i] = (segments[i] & 0x0E) | (mark ? 1 : 0);
    nibbles[4 + 2 * i] = segments[i] >> 4;
  }
  nibbles[11] = (prefix == 'M' ? 2 : 0) | (prefix == 'k' ? 1 : 0);
  nibbles[12] = (base == "Ohm" ? 4 : 0) | (base == "Hz" ? 2 : 0) | (prefix == 'n' ? 1 : 0);
  nibbles[13] = (base == "F" ? 4 : 0) | (prefix == 'u' ? 2 : 0) | (prefix == 'm' ? 1 : 0);
  nibbles[14] = (base == "V" ? 4 : 0) | (base == "A" ? 2 : 0);
  std::string frame(1, '\x02');
  for (std::size_t i = 1; i < nibbles.size(); ++i)
    frame += static_cast<char>((i << 4) | nibbles[i]);
  return frame;
}

std::optional<std::string> dtm0660Frame(const Shown& shown) {
  const auto [prefix, base] = splitUnit(shown.unit);
  static const std::string Bases[] = {"V", "A", "Ohm", "F", "Hz", "C", "%"};
  if (std::find(std::begin(Bases), std::end(Bases), base) == std::end(Bases)) return std::nullopt;
  // The digits, the leftmost first; an overload shows " 0L ".
  std::array<unsigned, 4> segments{0, Dtm0660Digits[0], Dtm0660L, 0};
  int decimals = 0;
  if (!shown.overload) {
    const auto digits = countedDigits(shown.value, 4, 6000);
    if (!digits) return std::nullopt;
    decimals = digits->second;
    for (std::size_t i = 0; i < 4; ++i)
      segments[i] = Dtm0660Digits[static_cast<std::size_t>(digits->first[i] - '0')];
  }
  std::array<unsigned, 15> nibbles{};
  nibbles[0] = 8 | 4 | (shown.mode == "DC" ? 2 : 0) | (shown.mode == "AC" ? 1 : 0);
  for (std::size_t i = 0; i < 4; ++i) {
    const bool mark =
        i == 0 ? shown.value < 0 && !shown.overload : decimals == static_cast<int>(4 - i);
    nibbles[1 + 2 * i] = ((segments[i] >> 4) & 0x0E) | (mark ? 1 : 0);
    nibbles[2 + 2 * i] = segments[i] & 0x0F;
  }
  nibbles[9] = (prefix == 'u' ? 1 : 0) | (prefix == 'n' ? 2 : 0) | (prefix == 'k' ? 4 : 0);
  nibbles[10] = (prefix == 'm' ? 1 : 0) | (base == "%" ? 2 : 0) | (prefix == 'M' ? 4 : 0);
  nibbles[11] = (base == "F" ? 1 : 0) | (base == "Ohm" ? 2 : 0);
  nibbles[12] = (base == "A" ? 1 : 0) | (base == "V" ? 2 : 0) | (base == "Hz" ? 4 : 0) |
                (shown.lowBattery ? 8 : 0);
  nibbles[13] = base == "C" ? 2 : 0;
  std::string frame;
  for (std::size_t i = 0; i < nibbles.size(); ++i)
    frame += static_cast<char>(((i + 1) << 4) | nibbles[i]);
  return frame;
}

std::optional<std::string> ms8250dFrame(const Shown& shown) {
  const auto [prefix, base] = splitUnit(shown.unit);
  static const std::string Bases[] = {"V", "A", "Ohm", "F", "Hz"};
  if (std::find(std::begin(Bases), std::end(Bases), base) == std::end(Bases)) return std::nullopt;
  // The digits, the leftmost first; an overload shows " 0.L ".
  std::array<unsigned, 4> segments{0, Ms8250dDigits[0], Ms8250dL, 0};
  int decimals = 2;
  if (!shown.overload) {
    const auto digits = countedDigits(shown.value, 4, 6000);
    if (!digits) return std::nullopt;
    decimals = digits->second;
    for (std::size_t i = 0; i < 4; ++i)
      segments[i] = Ms8250dDigits[static_cast<std::size_t>(digits->first[i] - '0')];
  }
  std::array<unsigned, 18> bytes{};
  for (std::size_t digit = 0; digit < 4; ++digit) {
    const unsigned s = segments[digit];
    if (digit % 2 == 0) {
      const std::size_t low = 2 + 3 * (digit / 2);
      bytes[low] |= s & 0x30;
      bytes[low + 1] |= ((s >> 8) & 0x07) | ((s & 0x03) << 4);
    } else {
      const std::size_t high = 4 + 3 * (digit / 2);
      bytes[high] |= (s >> 4) & 0x73;
      bytes[high + 1] |= s & 0x03;
    }
  }
  if (decimals == 3) bytes[3] |= 0x40;
  if (decimals == 2) bytes[5] |= 0x40;
  if (decimals == 1) bytes[7] |= 0x04;
  bytes[0] = shown.value < 0 && !shown.overload ? 0x04 : 0;
  bytes[1] = 0x02 | (shown.mode == "AC" ? 0x10 : 0) | (shown.lowBattery ? 0x20 : 0);
  bytes[2] |= shown.mode == "DC" ? 0x02 : 0;
  bytes[8] |= (prefix == 'n' ? 0x20 : 0) | (prefix == 'M' ? 0x40 : 0) |
              (prefix == 'u' && base != "F" ? 0x10 : 0);
  bytes[9] = (base == "V" ? 0x10 : 0) | (base == "Ohm" ? 0x40 : 0) | (prefix == 'm' ? 0x01 : 0) |
             (prefix == 'k' ? 0x04 : 0) | (prefix == 'u' && base == "F" ? 0x02 : 0);
  bytes[10] = (base == "A" ? 0x01 : 0) | (base == "F" ? 0x02 : 0) | (base == "Hz" ? 0x04 : 0);
  bytes[16] = 0x10;  // automatic range
  return std::string(bytes.begin(), bytes.end());
}

std::optional<std::string> rs9lcdFrame(const Shown& shown) {
  const Rs9lcdUnit* unit = nullptr;
  for (const Rs9lcdUnit& known : Rs9lcdUnits)
    if (shown.unit == known.unit) unit = &known;
  if (!unit) return std::nullopt;
  // The digits, the leftmost first, and the decimals: as many as 4000 counts allow.
  std::array<unsigned, 4> segments{0, Rs9lcdDigits[0], Rs9lcdL, 0};
  int decimals = 2;  // an overload shows " 0.L "
  if (!shown.overload) {
    long counts = 0;
    for (decimals = 3; decimals >= 0; --decimals) {
      counts = std::lround(std::fabs(shown.value) * std::pow(10.0, decimals));
      if (counts < 4000) break;
    }
    if (decimals < 0) return std::nullopt;
    for (int i = 3; i >= 0; --i, counts /= 10)
      segments[static_cast<std::size_t>(i)] = Rs9lcdDigits[static_cast<std::size_t>(counts % 10)];
  }
  // The point after the first, second or third digit is bit 3 of the next digit's byte.
  if (decimals > 0) segments[static_cast<std::size_t>(4 - decimals)] |= 0x08;
  const bool negative = shown.value < 0 && !shown.overload;
  std::string frame(1, static_cast<char>(shown.mode == "AC" ? unit->acMode : unit->dcMode));
  frame += static_cast<char>(unit->units);
  frame += static_cast<char>(unit->moreUnits);
  for (int i = 3; i >= 0; --i) frame += static_cast<char>(segments[static_cast<std::size_t>(i)]);
  frame += static_cast<char>((negative ? 0x08 : 0) | (shown.lowBattery ? 0x20 : 0) | 0x03);
  unsigned sum = 57;
  for (const char c : frame) sum += static_cast<unsigned char>(c);
  return frame + static_cast<char>(sum & 0xFF);
}

}  // namespace kelvor::metersim
