// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// A repeating window timer as the polling cycle uses it: it ticks every interval while
// enabled; an interval of 0 ticks as soon as the event being handled is done. The tick itself
// is delivered by whoever owns the timer (the event loop, or a test calling the handler).
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setInterval(int milliseconds) = 0;
  virtual int interval() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
};

}  // namespace kelvor
