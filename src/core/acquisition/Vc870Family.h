// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 23-byte stream of the Voltcraft VC-870 at 9600 baud 8N1, sent without being asked:
// function and its selection, range, five main and five second digits, two bar bytes, status,
// four option bytes, the dual-display byte, CR LF.
class Vc870Family : public MeterFamily {
 public:
  std::string_view name() const override { return "vc870"; }
  LineSettings line() const override { return {9600, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 23; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
