// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/calc/Calculation.h"

namespace kelvor {

// A channel's reading of one tick: the value in `unit`, which may carry a prefix ("mA").
struct ChannelReading {
  double value = 0.0;
  std::string unit;
};

// One calculated channel. Its value of a tick comes from its sources' readings of the same
// tick, in units without prefix ("12.5 mA" and "2 V" give 0.025 W). A tick where a source has
// no finite reading has no reading. A result that is no finite number (a division by zero) is
// a reading all the same, its value infinite or NaN: journalled as an overload or an invalid
// reading, shown as none.
//
// The integral adds trapezoids between consecutive ticks that both have a reading. It does
// not bridge a gap: what the source did while it gave no reading is unknown, so that stretch
// adds nothing and the sum carries on from the next reading. A reading in another unit than
// the one integrated so far (the meter switched from current to voltage) counts as none.
class CalculatedChannel {
 public:
  explicit CalculatedChannel(Calculation calculation) : calculation_(std::move(calculation)) {}

  // `tickMs` is the tick's time on the steady clock; `second` is unused by the integral.
  std::optional<ChannelReading> onTick(std::int64_t tickMs,
                                       const std::optional<ChannelReading>& first,
                                       const std::optional<ChannelReading>& second);
  // A new recording: the integral starts again from zero.
  void reset();

  const Calculation& calculation() const { return calculation_; }

 private:
  std::optional<ChannelReading> integrate(std::int64_t tickMs, const ChannelReading& reading);

  struct Point {
    std::int64_t ms;
    double value;
  };
  Calculation calculation_;
  std::optional<Point> previous_;              // none at the start and after a gap
  std::optional<std::string> integratedUnit_;  // none until the first reading
  double sumUnitMs_ = 0.0;                     // the integral in unit times milliseconds
};

}  // namespace kelvor
