// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <functional>

#include "core/Timer.h"

namespace kelvor {

// A core Timer on a QTimer of the event loop; precise, so a long recording does not drift.
class QtTimer : public Timer {
 public:
  explicit QtTimer(std::function<void()> onTick, QObject* parent = nullptr);

  void setInterval(int milliseconds) override;
  int interval() const override { return interval_; }
  void setEnabled(bool enabled) override;
  bool enabled() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
  int interval_ = 0;
};

}  // namespace kelvor
