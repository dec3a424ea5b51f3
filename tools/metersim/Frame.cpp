// SPDX-License-Identifier: GPL-3.0-or-later
#include "Frame.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kelvor::metersim {

namespace {

// Decimals a display of this many integer digits shows at most.
int maxDecimals(std::size_t integerDigits) {
  if (integerDigits <= 1) return 3;
  if (integerDigits == 2) return 2;
  if (integerDigits <= 4) return 1;
  return 0;
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::optional<double> parseNumber(const std::string& text) {
  const std::string number = trimmed(text);
  if (number.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(number.c_str(), &end);
  if (end != number.c_str() + number.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The unit one thousandth as large: "V" -> "mV", "kOhm" -> "Ohm", "mA" -> "uA".
std::string smallerUnit(const std::string& unit) {
  std::string name = trimmed(unit);
  if (name.size() >= 2) {
    switch (name[0]) {
      case 'k':
        return fitField(" " + name.substr(1), kUnitWidth);
      case 'M':
        name[0] = 'k';
        break;
      case 'm':
        name[0] = 'u';
        break;
      case 'u':
        name[0] = 'n';
        break;
      default:
        name = "m" + name;
    }
  } else {
    name = "m" + name;
  }
  return fitField(name.size() < kUnitWidth ? " " + name : name, kUnitWidth);
}

}  // namespace

std::string fitField(const std::string& text, std::size_t width) {
  std::string field = text.substr(0, width);
  field.resize(width, ' ');
  return field;
}

std::optional<std::string> formatValueField(double value) {
  // Anything this large cannot fit; the bound also keeps the text buffer small.
  if (!std::isfinite(value) || std::fabs(value) >= 1e7) return std::nullopt;
  for (int decimals = 3; decimals >= 0; --decimals) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    const std::size_t sign = text[0] == '-' ? 1 : 0;
    const std::size_t point = text.find('.');
    const std::size_t integerDigits = (point == std::string::npos ? text.size() : point) - sign;
    if (decimals > maxDecimals(integerDigits) || text.size() > kValueWidth) continue;
    return std::string(kValueWidth - text.size(), ' ') + text;
  }
  return std::nullopt;
}

std::string frameBody(const Display& display) {
  return fitField(display.mode, kModeWidth) + ' ' + fitField(display.value, kValueWidth) +
         fitField(display.unit, kUnitWidth);
}

Display displayFromBody(const std::string& body) {
  const std::string padded = fitField(body, kBodySize);
  return Display{padded.substr(0, kModeWidth), padded.substr(kModeWidth + 1, kValueWidth),
                 padded.substr(kModeWidth + 1 + kValueWidth, kUnitWidth)};
}

std::string frameBytes(const std::string& body, bool withCr) {
  return body + (withCr ? '\r' : ' ');
}

std::vector<Display> companionDisplays(const Display& first) {
  Display sub{first.mode, first.value, smallerUnit(first.unit)};
  if (const auto number = parseNumber(first.value)) {
    sub.value = formatValueField(*number * 1000.0).value_or(kOverloadText);
  }
  return {sub, Display{"FR", " 50.00", " Hz "}, Display{"TE", "  23.5", " C  "}};
}

}  // namespace kelvor::metersim
