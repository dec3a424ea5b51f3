// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Timer.h"

namespace kelvor::testing {

// A timer that only records what it was told; the test delivers the ticks.
class FakeTimer : public Timer {
 public:
  void setInterval(int milliseconds) override { interval_ = milliseconds; }
  int interval() const override { return interval_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  bool enabled() const override { return enabled_; }

 private:
  int interval_ = 0;
  bool enabled_ = false;
};

}  // namespace kelvor::testing
