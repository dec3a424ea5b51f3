// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// Fortune FS9922: 14 bytes a frame at 2400 baud 8N1, sent without being asked: sign, four
// ASCII digits, a blank, the point's position, four status bytes (flags, prefix and unit
// annunciators), the bar graph, carriage return and line feed.
class Fs9922Family : public MeterFamily {
 public:
  std::string_view name() const override { return "fs9922"; }
  LineSettings line() const override { return {2400, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 14; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
