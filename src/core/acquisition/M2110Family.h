// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 9-character stream of the BBC Goerz Metrawatt M2110 at 1200 baud 7N2, sent without being
// asked: the reading as seven characters of text ("OVERRNG" beyond the range), carriage return
// and line feed. The frame names no unit.
class M2110Family : public MeterFamily {
 public:
  std::string_view name() const override { return "m2110"; }
  LineSettings line() const override { return {1200, 7, Parity::None, 2, true, false}; }
  std::size_t answerLength() const override { return 9; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
