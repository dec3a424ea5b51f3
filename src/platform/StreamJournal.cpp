// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StreamJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kelvor {

bool StreamJournal::isStream(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode));
}

JournalFault StreamJournal::open(const std::string&) {
  if (!owned_ || fd_ >= 0) return {};
  fd_ = ::open(name_.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
  return fd_ >= 0 ? JournalFault{} : JournalFault{errno, name_};
}

JournalFault StreamJournal::finish() {
  if (owned_ && fd_ >= 0) ::close(fd_);
  if (owned_) fd_ = -1;
  return {};
}

JournalFault StreamJournal::append(const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return {errno != 0 ? errno : EIO, name_};
    written += static_cast<std::size_t>(n);
  }
  return {};
}

}  // namespace kelvor
