// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The polled ASCII meters: "D" asks for a reading, the answer is one 14-character frame
// (mode, blank, value field, unit, carriage return) or, on the four-display meter, four of
// them of which the first counts.
class AsciiFamily : public MeterFamily {
 public:
  explicit AsciiFamily(bool fourFrames) : fourFrames_(fourFrames) {}

  std::string_view name() const override { return fourFrames_ ? "four" : "single"; }
  LineSettings line() const override { return {1200, 7, Parity::None, 2, true, false}; }
  std::string_view pollCommand() const override { return "D"; }
  std::size_t answerLength() const override {
    return fourFrames_ ? 4 * MeterFrameLength : MeterFrameLength;
  }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override {
    return decodeFrame(frame, decimalSeparator);
  }

 private:
  bool fourFrames_;
};

}  // namespace kelvor
