// SPDX-License-Identifier: GPL-3.0-or-later
#include "PtyPort.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace kelvor::metersim {

namespace {

[[noreturn]] void fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

void makeDirectories(const std::string& directory) {
  for (std::size_t end = directory.find('/', 1);; end = directory.find('/', end + 1)) {
    const std::string part = directory.substr(0, end);
    if (!part.empty() && mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
      fail("cannot create folder " + part);
    }
    if (end == std::string::npos) return;
  }
}

std::string readLink(const std::string& path) {
  char target[4096];
  const ssize_t length = readlink(path.c_str(), target, sizeof target);
  return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

PtyPort::PtyPort() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) fail("cannot open a pseudo-terminal");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    const int saved = errno;
    close(master_);
    errno = saved;
    fail("cannot unlock the pseudo-terminal");
  }
  const char* name = ptsname(master_);
  slavePath_ = name ? name : "";
  slave_ = name ? open(name, O_RDWR | O_NOCTTY) : -1;
  termios settings{};
  if (slave_ < 0 || tcgetattr(slave_, &settings) != 0) {
    const int saved = errno;
    if (slave_ >= 0) close(slave_);
    close(master_);
    errno = saved;
    fail("cannot open the terminal " + slavePath_);
  }
  cfmakeraw(&settings);
  termios probe = settings;
  probe.c_cflag = (probe.c_cflag & ~CSIZE) | CS7 | PARENB;
  termios kept{};
  if (tcsetattr(slave_, TCSANOW, &probe) == 0 && tcgetattr(slave_, &kept) == 0) {
    showsCharacterFormat_ = (kept.c_cflag & CSIZE) == CS7 && (kept.c_cflag & PARENB);
  }
  tcsetattr(slave_, TCSANOW, &settings);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
}

PtyPort::~PtyPort() {
  close(slave_);
  close(master_);
}

PortLink::PortLink(std::string path, std::string target)
    : path_(std::move(path)), target_(std::move(target)) {
  const std::size_t slash = path_.rfind('/');
  if (slash != std::string::npos && slash > 0) makeDirectories(path_.substr(0, slash));
  struct stat status {};
  if (lstat(path_.c_str(), &status) == 0) {
    if (!S_ISLNK(status.st_mode)) {
      throw std::runtime_error(path_ + " exists and is not a link; not replacing it");
    }
    if (unlink(path_.c_str()) != 0) fail("cannot replace the old link " + path_);
  }
  if (symlink(target_.c_str(), path_.c_str()) != 0) fail("cannot create the link " + path_);
}

PortLink::~PortLink() {
  if (readLink(path_) == target_) unlink(path_.c_str());
}

std::string defaultLinkPath(int port) {
  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // Relative values are to be ignored, as for every XDG base folder.
  if (xdg && xdg[0] == '/') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
      const passwd* user = getpwuid(getuid());
      home = user ? user->pw_dir : "/tmp";
    }
    config = std::string(home) + "/.config";
  }
  return config + "/Kelvor/ports/COM" + std::to_string(port);
}

}  // namespace kelvor::metersim
