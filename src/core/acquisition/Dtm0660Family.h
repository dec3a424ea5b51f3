// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 15-byte stream of meters built on the DTM0660 chip at 2400 baud 8N1, sent without being
// asked: the high nibble of each byte counts 1 to 15, the low nibbles are the LCD's segments
// (annunciators, four digits of two nibbles each, more annunciators).
class Dtm0660Family : public MeterFamily {
 public:
  std::string_view name() const override { return "dtm0660"; }
  LineSettings line() const override { return {2400, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 15; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
