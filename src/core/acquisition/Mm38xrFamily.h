// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 15-byte stream of the 38XR meters: 13 hexadecimal characters (function, four BCD
// digits, bar graph, range, mode, peak, range setting, sign and mode flags), carriage return
// and line feed, at 9600 baud 8N1, sent without being asked once the RS232 key is pressed.
class Mm38xrFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "mm38xr"; }
  LineSettings line() const override { return {9600, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 15; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
