// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QString>
#include <cstdlib>
#include <string>

namespace kelvor::testing {

// The master side of a pseudo-terminal: plays the meter for one test.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
      slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
  }
  ~PseudoTerminal() {
    if (master_ >= 0) ::close(master_);
  }
  QString slavePath() const { return slavePath_; }
  void send(const std::string& bytes) const {
    EXPECT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::string receive() const {
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, 1000) <= 0) return {};
    char buffer[64];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
  }

 private:
  int master_ = -1;
  QString slavePath_;
};

}  // namespace kelvor::testing
