// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 11-byte ASCII stream of the UT71 series: five digits, range, function, two status
// bytes, carriage return and line feed, at 2400 baud 7O1, sent without being asked. Every
// byte but the line end has the fixed high bits 011.
class Ut71xFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "ut71x"; }
  LineSettings line() const override { return {2400, 7, Parity::Odd, 1, true, false}; }
  std::size_t answerLength() const override { return 11; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
