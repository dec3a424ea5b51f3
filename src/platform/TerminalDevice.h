// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelvor {

// A meter's port must be a terminal device. On this platform a port name can lead anywhere
// (a link made by hand, a path typed on a command line), and opening an ordinary file for
// writing would let the polls land in it.
class TerminalDevice {
 public:
  // 0 when the path leads to a character device, which may be a terminal; otherwise the error
  // number to report: the one looking at the path gave (ENOENT, EACCES, ...), or ENOTTY for a
  // file, folder, pipe or socket.
  static int pathError(const QString& path);
  // ENOTTY when the open descriptor is not a terminal (a character device such as /dev/null).
  static int descriptorError(int fd);
};

}  // namespace kelvor
