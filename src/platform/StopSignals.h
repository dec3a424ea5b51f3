// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace kelvor {

// SIGINT and SIGTERM as events of the event loop (a signalfd), so that a stop runs between
// two readings like any other event. block() must run before the program starts a thread.
// When the descriptor cannot be made, the signals are unblocked again (with a warning), so
// they still end the program.
class StopSignals {
 public:
  // Keeps both signals from interrupting any thread of the process.
  static void block();

  explicit StopSignals(std::function<void(int signal)> onSignal);
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kelvor
