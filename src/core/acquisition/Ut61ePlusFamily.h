// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The polled binary protocol of the UT61E+ and its relatives, at 9600 baud 8N1. The one
// request the program ever sends asks for the display; the 19-byte answer is AB CD, the count
// 16 of the bytes that follow, mode, range, the seven display characters as shown (sign and
// point included), two bar-graph bytes, three flag bytes and the 16-bit big-endian sum of all
// bytes before it. Any other command risks the meter's boot loader, so none is ever sent.
class Ut61ePlusFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "ut61eplus"; }
  LineSettings line() const override { return {9600, 8, Parity::None, 1, true, false}; }
  std::string_view pollCommand() const override;
  std::size_t answerLength() const override { return 19; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
