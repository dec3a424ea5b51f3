// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TerminalDevice.h"

#include <sys/stat.h>
#include <termios.h>

#include <QFile>
#include <cerrno>

namespace kelvor {

int TerminalDevice::pathError(const QString& path) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return errno;
  return S_ISCHR(info.st_mode) ? 0 : ENOTTY;
}

int TerminalDevice::descriptorError(int fd) {
  termios settings{};
  return ::tcgetattr(fd, &settings) == 0 ? 0 : ENOTTY;
}

}  // namespace kelvor
