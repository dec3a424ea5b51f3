// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// Cyrustek ES51922: 14 bytes a frame at 19200 baud 7O1, sent without being asked: range,
// five digits, function, status, four option bytes, carriage return and line feed. Every
// byte but the line end has the fixed high bits 011.
class Es51922Family : public MeterFamily {
 public:
  std::string_view name() const override { return "es51922"; }
  LineSettings line() const override { return {19200, 7, Parity::Odd, 1, true, false}; }
  std::size_t answerLength() const override { return 14; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
