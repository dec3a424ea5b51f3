// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JournalFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kelvor {

namespace {

constexpr const char* PartSuffix = ".part";

// Creates the folder and those above it; errno tells why not.
bool makeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

// Whether a journal holds a complete row: a second line end, after the header's.
bool holdsARow(int fd) {
  char start[4096];
  const ssize_t n = ::pread(fd, start, sizeof start, 0);
  const char* end = n > 0 ? start + n : start;
  const char* first = std::find(static_cast<const char*>(start), end, '\n');
  return first != end && std::find(first + 1, end, '\n') != end;
}

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string JournalFile::recordingsFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::string base =
      data && *data == '/' ? std::string(data) : std::string(home ? home : "") + "/.local/share";
  return base + "/Kelvor/recordings";
}

std::vector<std::string> JournalFile::unfinished(const std::string& folder) {
  std::vector<std::string> paths;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return paths;
  const std::size_t suffix = std::strlen(PartSuffix);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() <= suffix || name.compare(name.size() - suffix, suffix, PartSuffix) != 0)
      continue;
    const std::string path = folder + '/' + name;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {  // held by no one
      if (holdsARow(fd))
        paths.push_back(path);
      else
        ::unlink(path.c_str());
    }
    ::close(fd);
  }
  ::closedir(dir);
  std::sort(paths.begin(), paths.end());
  return paths;
}

bool JournalFile::keep(const std::string& partPath) {
  const std::string final = partPath.substr(0, partPath.size() - std::strlen(PartSuffix));
  return ::rename(partPath.c_str(), final.c_str()) == 0;
}

JournalFault JournalFile::fault(const std::string& path) const {
  return {errno != 0 ? errno : EIO, path};
}

JournalFault JournalFile::open(const std::string& name) {
  abandon();
  if (!makeFolders(folder_)) return fault(folder_);
  // Two recordings started within one second on one port: the later one gets "-2", "-3", ...
  const std::string stem = name.substr(0, name.rfind('.'));
  const std::string extension = name.substr(stem.size());
  for (int n = 1, removed = 0;; ++n) {
    const std::string final =
        folder_ + '/' + stem + (n > 1 ? '-' + std::to_string(n) : "") + extension;
    path_ = final + PartSuffix;
    if (exists(final)) continue;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) {
      if (errno != EEXIST || n >= 100) return fault(path_);
      continue;
    }
    // A window looking for unfinished journals may take the new, still empty file for a
    // leftover and remove it before it is locked here: then it is made again, not written
    // unseen. The window holds its lock only for that look.
    struct stat status {};
    if (::flock(fd_, LOCK_EX) != 0 || ::fstat(fd_, &status) != 0) {
      const JournalFault locked = fault(path_);
      abandon();
      return locked;
    }
    if (status.st_nlink > 0) return {};
    ::close(fd_);
    fd_ = -1;
    if (++removed < 10) --n;  // the same name once more
  }
}

JournalFault JournalFile::append(const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fault(path_);
    written += static_cast<std::size_t>(n);
  }
  written_ = true;
  return {};
}

JournalFault JournalFile::sync() {
  return ::fsync(fd_) == 0 ? JournalFault{} : fault(path_);
}

JournalFault JournalFile::finish() {
  JournalFault result = sync();
  if (::close(fd_) != 0 && result.error == 0) result = fault(path_);
  fd_ = -1;
  written_ = false;
  if (result.error == 0 && !keep(path_)) result = fault(path_);
  return result;
}

void JournalFile::abandon() {
  if (fd_ >= 0 && !written_) ::unlink(path_.c_str());
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  written_ = false;
}

}  // namespace kelvor
