// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 13-character text stream of the VC-96: function ("DCV", "OHM", ...), sign, the value
// field as the display shows it, prefix and unit, carriage return and line feed, at 1200 baud
// 8N2, sent without being asked. The ohm sign is the byte 0xEA, so all 8 bits count.
class Vc96Family : public MeterFamily {
 public:
  std::string_view name() const override { return "vc96"; }
  LineSettings line() const override { return {1200, 8, Parity::None, 2, true, false}; }
  std::size_t answerLength() const override { return 13; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
