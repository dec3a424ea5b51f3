// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 16-character PRINT stream of ASYC-II meters at 2400 baud 8N1, sent without being asked:
// sign and value in seven characters, prefix, unit and a mode flag in eight (blanks padding),
// carriage return.
class AsyciiFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "asycii"; }
  LineSettings line() const override { return {2400, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 16; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
