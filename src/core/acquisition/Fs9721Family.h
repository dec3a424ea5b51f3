// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// Fortune FS9721: 14 bytes a frame at 2400 baud 8N1, sent without being asked. The high
// nibble of each byte is its position (1 to 14), the low nibbles are the display's segments
// and annunciators one to one.
class Fs9721Family : public MeterFamily {
 public:
  std::string_view name() const override { return "fs9721"; }
  LineSettings line() const override { return {2400, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 14; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
