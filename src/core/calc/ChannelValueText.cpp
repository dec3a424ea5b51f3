// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/ChannelValueText.h"

#include <cmath>

#include "core/text/UnitValueText.h"

namespace kelvor {

std::string channelValueText(const std::optional<ChannelReading>& reading, char decimalSeparator) {
  if (!reading || !std::isfinite(reading->value)) return NoChannelValue;
  return unitValueText(reading->value, reading->unit, decimalSeparator);
}

}  // namespace kelvor
