// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 9-byte stream of the RadioShack 22-812 at 4800 baud 8N1, sent without being asked: a
// mode byte, two bytes of annunciators, the four digits as LCD segments (the rightmost first),
// a byte of status annunciators and a checksum.
class Rs9lcdFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "rs9lcd"; }
  LineSettings line() const override { return {4800, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 9; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
