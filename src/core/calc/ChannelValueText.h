// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/calc/CalculatedChannel.h"

namespace kelvor {

// A channel's reading as the window's row of channel values shows it (unitValueText), or "–"
// without a reading or for a value that is no finite number.
inline constexpr char NoChannelValue[] = "\xE2\x80\x93";  // –
std::string channelValueText(const std::optional<ChannelReading>& reading, char decimalSeparator);

}  // namespace kelvor
