// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The polled ASCII meters: "D" asks for a reading, the answer is one 14-character frame
// (mode, blank, value field, unit, carriage return) or, on the four-display meter, four of
// them of which the first counts.
class AsciiFamily : public MeterFamily {
 public:
  // The rates these meters are set to, as the port dialog offers them.
  static constexpr std::array<int, 5> SettableRates{600, 1200, 2400, 4800, 9600};

  explicit AsciiFamily(bool fourFrames) : fourFrames_(fourFrames) {}

  std::string_view name() const override { return fourFrames_ ? "four" : "single"; }
  LineSettings line() const override { return {1200, 7, Parity::None, 2, true, false}; }
  std::vector<int> rates() const override { return {SettableRates.begin(), SettableRates.end()}; }
  std::string_view pollCommand() const override { return "D"; }
  std::size_t answerLength() const override {
    return fourFrames_ ? 4 * MeterFrameLength : MeterFrameLength;
  }
  // Only the first frame counts; the four-display meter's others are awaited all the same, so
  // that they do not run into the next answer.
  std::size_t completeAnswer(std::string_view received) const override {
    return received.size() >= answerLength() ? MeterFrameLength : 0;
  }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override {
    return decodeFrame(frame, decimalSeparator);
  }

 private:
  bool fourFrames_;
};

}  // namespace kelvor
