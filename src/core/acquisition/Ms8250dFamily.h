// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 18-byte stream of the Mastech MS8250D at 2400 baud 8N1, sent without being asked: the
// LCD's segments bit by bit (bar graph, four main digits, annunciators, a second display)
// and a zero byte at the end.
class Ms8250dFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "ms8250d"; }
  LineSettings line() const override { return {2400, 8, Parity::None, 1, true, false}; }
  std::size_t answerLength() const override { return 18; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
