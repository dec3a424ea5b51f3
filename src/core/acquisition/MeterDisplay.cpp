// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterDisplay.h"

#include <utility>

#include "core/text/LeadingNumber.h"

namespace kelvor {

namespace {

// "-12.345": the digits with the point in place, leading zeros before the units digit gone.
std::string numberText(const MeterDisplay& display) {
  const std::size_t integerDigits =
      display.digits.size() - static_cast<std::size_t>(display.decimals);
  std::string integer = display.digits.substr(0, integerDigits);
  const std::size_t firstSignificant = integer.find_first_not_of('0');
  integer = firstSignificant == std::string::npos ? "0" : integer.substr(firstSignificant);
  std::string text = (display.negative ? "-" : "") + integer;
  if (display.decimals > 0) text += "." + display.digits.substr(integerDigits);
  return text;
}

}  // namespace

bool fillLeadingBlanks(std::string& digits) {
  const std::size_t firstShown = digits.find_first_not_of(' ');
  if (firstShown == std::string::npos || digits.find(' ', firstShown) != std::string::npos)
    return false;
  for (char& c : digits)
    if (c == ' ') c = '0';
  return true;
}

bool readShownNumber(std::string_view shown, MeterDisplay& display) {
  const std::size_t point = shown.find('.');
  display.digits.clear();
  display.decimals = 0;
  for (const char c : shown)
    if (c != '.') display.digits += c;
  if (display.digits.empty() || display.digits.find_first_not_of("0123456789") != std::string::npos)
    return false;
  if (point != std::string_view::npos) {
    if (shown.find('.', point + 1) != std::string_view::npos || point == 0) return false;
    display.decimals = static_cast<int>(shown.size() - point - 1);
  }
  return true;
}

DecodedFrame readingOf(const MeterDisplay& display, char decimalSeparator) {
  DecodedFrame reading;
  reading.unit = display.prefix + display.unit;
  reading.mode = display.mode;
  // The meter's own annunciators beside the mode, as its display shows them.
  reading.modeText = display.mode;
  const MeterFlags& flags = display.flags;
  for (const auto& [on, sign] : {std::pair{flags.hold, "HOLD"},
                                 {flags.relative, "REL"},
                                 {flags.min, "MIN"},
                                 {flags.max, "MAX"},
                                 {flags.autoRange, "AUTO"},
                                 {flags.lowBattery, "BAT"}})
    if (on) reading.modeText += std::string(reading.modeText.empty() ? "" : " ") + sign;
  reading.flags = display.flags;
  const bool fits = display.decimals >= 0 &&
                    static_cast<std::size_t>(display.decimals) < display.digits.size() + 1;
  if (display.flags.overload || !fits || display.digits.empty()) {
    reading.flags.overload = true;
    reading.valueText = display.overloadText;
  } else {
    const std::string text = numberText(display);
    reading.value = static_cast<float>(readLeadingNumber(text).value_or(0.0));
    reading.valueText = text;
    replaceAll(reading.valueText, ".", std::string(1, decimalSeparator));
  }
  if (!reading.unit.empty()) reading.valueText += " " + reading.unit;
  return reading;
}

}  // namespace kelvor
