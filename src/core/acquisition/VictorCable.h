// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelvor {

// The Victor 86C's USB-HID cable (1244:d237) passes on the meter's 14-byte FS9922 frame
// scrambled, one input report a frame: a fixed key is added to each byte, the bytes are moved
// to other places and each byte's bits stand in reverse order.
constexpr std::size_t VictorFrameBytes = 14;

// The FS9922 frame of a report from the cable; nothing for a report shorter than a frame.
std::optional<std::string> victorFrameOfReport(std::string_view report);
// The report the cable makes of a frame of 14 bytes (the meter simulator plays the cable).
std::string victorReportOfFrame(std::string_view frame);

}  // namespace kelvor
