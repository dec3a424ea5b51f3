// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>

#include "CableReports.h"
#include "Options.h"

namespace kelvor::metersim {

// A virtual USB-HID meter cable made through /dev/uhid: the kernel shows it as a hidraw node
// with the cable's USB ids, the streaming meter's frames arrive as its input reports and the
// host's feature reports are granted. The device goes when the object does.
class UhidCable {
 public:
  // Throws std::runtime_error when /dev/uhid cannot be opened or the device not made.
  explicit UhidCable(VirtualCable cable);
  ~UhidCable();
  UhidCable(const UhidCable&) = delete;
  UhidCable& operator=(const UhidCable&) = delete;

  // Plays the meter of `options` until `stopFd` becomes readable or `quitAfter` has passed.
  void run(Options& options, int stopFd,
           std::optional<std::chrono::steady_clock::duration> quitAfter);

 private:
  void send(const uhid_event& event);
  void answerHost();

  VirtualCable cable_;
  int fd_ = -1;
};

}  // namespace kelvor::metersim
