// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StopSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QtGlobal>
#include <cerrno>
#include <cstring>

namespace kelvor {

namespace {
sigset_t stopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}
}  // namespace

void StopSignals::block() {
  const sigset_t set = stopSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

StopSignals::StopSignals(std::function<void(int signal)> onSignal) {
  const sigset_t set = stopSet();
  fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (fd_ < 0) {
    // Without the descriptor nothing would ever read the blocked signals: let them stop the
    // program the ordinary way instead.
    const int error = errno;
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    qWarning(
        "Kelvor: cannot receive SIGINT and SIGTERM as events (%s); they stop the program "
        "at once",
        std::strerror(error));
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, onSignal] {
    signalfd_siginfo info{};
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
      onSignal(static_cast<int>(info.ssi_signo));
  });
}

StopSignals::~StopSignals() {
  notifier_.reset();
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace kelvor
