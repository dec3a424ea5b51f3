// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/SiUnit.h"

#include <array>
#include <cmath>
#include <optional>
#include <set>
#include <utility>

namespace kelvor {

namespace {

constexpr const char* Ohm = "\xCE\xA9";  // Ω, as the streaming decoders write it

// The unit's name as the program writes it, for the spellings meters send; nothing for a
// unit that takes no prefix here.
std::optional<std::string> namedUnit(const std::string& text) {
  static const std::set<std::string> Names{"V", "A", Ohm, "W", "F", "Hz", "Ah", "Wh"};
  if (Names.count(text) != 0) return text;
  if (text == "Ohm" || text == "OHM" || text == "ohm") return Ohm;
  if (text == "HZ") return "Hz";
  return std::nullopt;
}

const std::array<std::pair<const char*, double>, 10>& prefixes() {
  static const std::array<std::pair<const char*, double>, 10> Table{{{"p", 1e-12},
                                                                     {"n", 1e-9},
                                                                     {"\xC2\xB5", 1e-6},  // µ
                                                                     {"\xCE\xBC", 1e-6},  // μ
                                                                     {"u", 1e-6},
                                                                     {"m", 1e-3},
                                                                     {"k", 1e3},
                                                                     {"K", 1e3},
                                                                     {"M", 1e6},
                                                                     {"G", 1e9}}};
  return Table;
}

// An operand of a written-out unit, in parentheses where it is itself an expression.
std::string operand(const std::string& unit) {
  if (unit.empty()) return "1";
  const bool compound = unit.find("\xC2\xB7") != unit.npos || unit.find_first_of("/-") != unit.npos;
  return compound ? "(" + unit + ")" : unit;
}

}  // namespace

SiUnit splitUnit(const std::string& unit) {
  if (const auto name = namedUnit(unit)) return {1.0, *name};
  for (const auto& [prefix, factor] : prefixes()) {
    const std::string p = prefix;
    if (unit.size() <= p.size() || unit.compare(0, p.size(), p) != 0) continue;
    if (const auto name = namedUnit(unit.substr(p.size()))) return {factor, *name};
  }
  return {1.0, unit};
}

std::string productUnit(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const auto either = [&a, &b](const std::string& x, const std::string& y) {
    return (a == x && b == y) || (a == y && b == x);
  };
  if (either("V", "A")) return "W";
  if (either("A", Ohm)) return "V";
  return operand(a) + "\xC2\xB7" + operand(b);  // ·
}

std::string quotientUnit(const std::string& a, const std::string& b) {
  if (a == b) return {};
  if (b.empty()) return a;
  if (a == "V" && b == "A") return Ohm;
  if ((a == "V" && b == Ohm) || (a == "W" && b == "V")) return "A";
  if (a == "W" && b == "A") return "V";
  return operand(a) + "/" + operand(b);
}

std::string differenceUnit(const std::string& a, const std::string& b) {
  return a == b ? a : operand(a) + "-" + operand(b);
}

std::string integralUnit(const std::string& unit) {
  if (unit == "A" || unit == "W") return unit + "h";
  if (unit.empty()) return "h";
  return operand(unit) + "\xC2\xB7h";
}

ShownValue withPrefix(double value, const std::string& unit) {
  if (!namedUnit(unit) || value == 0.0 || !std::isfinite(value)) return {value, unit};
  // From milli down to pico, or from kilo up to giga, until the number is at least 1 and
  // below 1000.
  static const std::array<std::pair<const char*, double>, 8> Steps{{{"p", 1e-12},
                                                                    {"n", 1e-9},
                                                                    {"\xC2\xB5", 1e-6},
                                                                    {"m", 1e-3},
                                                                    {"", 1.0},
                                                                    {"k", 1e3},
                                                                    {"M", 1e6},
                                                                    {"G", 1e9}}};
  std::size_t step = 4;
  const double magnitude = std::fabs(value);
  while (step + 1 < Steps.size() && magnitude >= 1000.0 * Steps[step].second) ++step;
  while (step > 0 && magnitude < Steps[step].second) --step;
  return {value / Steps[step].second, Steps[step].first + unit};
}

}  // namespace kelvor
