// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kelvor {

// A reading's value as every output writes it (journal, MQTT, console): the general format
// to seven significant digits, a float's precision ("-0.001", "123456", "1E+33"); empty
// without a usable value (no reading, or not a finite number).
std::string readingNumber(float value, char decimalSeparator);

// A duration in milliseconds as seconds with three decimals: "12.001", "-0.250".
std::string secondsText(std::int64_t ms, char decimalSeparator);

}  // namespace kelvor
