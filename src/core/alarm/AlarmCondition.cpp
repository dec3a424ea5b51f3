// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/alarm/AlarmCondition.h"

#include <cmath>
#include <limits>
#include <optional>

#include "core/text/LeadingNumber.h"

namespace kelvor {

namespace {

// The number part is read from at most this many characters.
constexpr std::size_t MaxNumberLength = 255;

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

AlarmCondition parseAlarmCondition(std::string_view text) {
  AlarmCondition condition;
  const std::size_t digit = text.find_first_of("0123456789");
  // No number, or no operator in front of it.
  if (digit == std::string_view::npos || digit == 0) return condition;

  const std::string_view op = trimBlanks(text.substr(0, digit));
  if (op == "<" || op == "<=") {
    condition.alarmAbove = false;
  } else if (op == ">" || op == ">=") {
    condition.alarmAbove = true;
  } else {
    return condition;
  }

  // The number part starts with a digit, so the value is never negative. Only the first
  // characters count; a number cut there reads as far as it goes. Bytes and characters
  // agree here: anything that is not ASCII ends the number anyway.
  const std::optional<double> level = xVal(text.substr(digit, MaxNumberLength));
  // A threshold beyond the float range would make the comparison meaningless (and the
  // conversion undefined): such a condition switches the alarm off like any other bad one.
  if (!level || !(*level <= static_cast<double>(std::numeric_limits<float>::max())))
    return condition;

  condition.alarmLevel = static_cast<float>(*level);
  condition.valid = true;
  return condition;
}

}  // namespace kelvor
