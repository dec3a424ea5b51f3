// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// A value in a unit as the window shows readings: four significant digits, trailing zeros
// kept so that the width holds still from one reading to the next, and the unit with the
// prefix that puts the number between 1 and 1000 ("0.0125 Ah" is "12,50 mAh", "1500 mW" is
// "1,500 W"). A unit without a name keeps its value ("21,50 °C"); no unit, no unit text.
// A value that is no finite number is written as the general format writes it.
std::string unitValueText(double value, const std::string& unit, char decimalSeparator);

}  // namespace kelvor
