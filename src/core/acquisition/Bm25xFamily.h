// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 15-byte stream of the Brymen BM25x meters at 9600 baud 8N1, sent without being asked:
// a start byte 02, then bytes whose high nibble counts 1 to 14 and whose low nibbles are the
// LCD's segments: annunciators, four digits of two bytes each, more annunciators.
class Bm25xFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "bm25x"; }
  LineSettings line() const override { return {9600, 8, Parity::None, 1, true, true}; }
  std::size_t answerLength() const override { return 15; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
