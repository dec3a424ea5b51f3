// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/calc/CalculatedChannel.h"

namespace kelvor {

// A channel's reading as the window's row of channel values shows it: four significant
// digits, trailing zeros kept so that the width holds still from one tick to the next, and
// the unit with the prefix that puts the number between 1 and 1000 ("0.0125 Ah" is
// "12,50 mAh", "1500 mW" is "1,500 W"). A unit without a name keeps its value ("21,50 °C").
// "–" without a reading or for a value that is no finite number.
inline constexpr char NoChannelValue[] = "\xE2\x80\x93";  // –
std::string channelValueText(const std::optional<ChannelReading>& reading, char decimalSeparator);

}  // namespace kelvor
