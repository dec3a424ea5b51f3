// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtTimer.h"

#include <utility>

namespace kelvor {

QtTimer::QtTimer(std::function<void()> onTick, QObject* parent) : timer_(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
}

void QtTimer::setInterval(int milliseconds) {
  interval_ = milliseconds;
  timer_.setInterval(milliseconds);
}

void QtTimer::setEnabled(bool enabled) {
  if (enabled && interval_ >= 0) {
    timer_.start(interval_);
  } else {
    timer_.stop();
  }
}

}  // namespace kelvor
