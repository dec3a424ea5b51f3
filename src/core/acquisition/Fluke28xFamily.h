// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The remote interface of the 287 and 289, at 115200 baud 8N1: "QM" and a carriage return
// ask for the primary display; the meter acknowledges with a digit and a carriage return
// ("0": done) and then sends "value,unit,state,attribute" and a carriage return, the value in
// the unit's base with the display's digits ("-0.0037E0", "979.0E-6"). An answer has no fixed
// length: it ends with that line, or with the acknowledgement when this tells an error.
class Fluke28xFamily : public MeterFamily {
 public:
  std::string_view name() const override { return "fluke28x"; }
  LineSettings line() const override { return {115200, 8, Parity::None, 1, true, false}; }
  std::string_view pollCommand() const override { return "QM\r"; }
  // The longest answer the meter gives, with room to spare.
  std::size_t answerLength() const override { return 80; }
  std::size_t completeAnswer(std::string_view received) const override;
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;
};

}  // namespace kelvor
