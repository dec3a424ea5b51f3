// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kelvor {

// An alarm condition as typed by the user, e.g. "< 0,8" or "> 1.5 V".
struct AlarmCondition {
  bool valid = false;
  bool alarmAbove = false;  // true: alarm above alarmLevel; false: below it
  float alarmLevel = 0.0f;
};

// Parses a condition: an operator "<", "<=", ">" or ">=" (blanks around it allowed), then a
// number that starts with a digit; "," counts as a decimal point, and anything after the
// number is ignored. "<=" and ">=" mean the same as "<" and ">". Texts without an
// operator, with another operator, with a sign or a leading decimal separator in front of
// the number, or with a threshold that does not fit a float are not valid.
AlarmCondition parseAlarmCondition(std::string_view text);

}  // namespace kelvor
