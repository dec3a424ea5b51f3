// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 9-byte stream of the Mastech MS2115B clamp meter at 1200 baud 8N1, sent without being
// asked: 55, function, range, frequency range, the main reading and the second one as 16-bit
// little-endian counts, and a byte whose bit 0 tells a manual range.
class Ms2115bFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "ms2115b"; }
  LineSettings line() const override { return {1200, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 9; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
