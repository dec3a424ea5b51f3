// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// The 11-byte stream of the Cyrustek ES519xx chips at 7O1, sent without being asked: range,
// four digits, function, status, two option bytes, CR LF; the chips send each block twice.
// The 2400-baud chips (ES51962, ES51971, ES51972, ES51978, ES51989: "es51978") and the
// 19200-baud ones (ES51981 to ES51986: "es51986") differ in their ranges and option bits.
class Es519xxFamily : public MeterFamily {
 public:
  explicit Es519xxFamily(bool fast) : fast_(fast) {}

  std::string_view name() const override { return fast_ ? "es51986" : "es51978"; }
  LineSettings line() const override {
    return {fast_ ? 19200 : 2400, 7, Parity::Odd, 1, true, false};
  }
  std::size_t answerLength() const override { return 11; }
  std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const override;

 private:
  bool fast_;
};

}  // namespace kelvor
