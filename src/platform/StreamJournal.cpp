#include "platform/StreamJournal.h"

#include <unistd.h>

#include <cerrno>

namespace kelvor {

JournalFault StreamJournal::append(const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return {errno != 0 ? errno : EIO, "-"};
    written += static_cast<std::size_t>(n);
  }
  return {};
}

}  // namespace kelvor
