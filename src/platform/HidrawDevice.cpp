// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HidrawDevice.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace kelvor {

int HidrawDevice::open(const std::string& path) {
  close();
  fd_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) return errno;
  // One reader a cable: a second program would take half of the meter's reports.
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    close();
    return error;
  }
  return 0;
}

void HidrawDevice::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::optional<HidDevice::Ids> HidrawDevice::ids() {
  hidraw_devinfo info{};
  if (fd_ < 0 || ::ioctl(fd_, HIDIOCGRAWINFO, &info) != 0) return std::nullopt;
  return Ids{static_cast<std::uint16_t>(info.vendor), static_cast<std::uint16_t>(info.product)};
}

HidDevice::ReadResult HidrawDevice::read() {
  char report[256];
  const ssize_t n = ::read(fd_, report, sizeof report);
  if (n > 0) return {std::string(report, static_cast<std::size_t>(n)), 0};
  if (n == 0) return {{}, ENODEV};
  return {{}, errno == EAGAIN || errno == EINTR ? 0 : errno};
}

int HidrawDevice::write(const std::string& report) {
  const ssize_t n = ::write(fd_, report.data(), report.size());
  if (n == static_cast<ssize_t>(report.size())) return 0;
  return n < 0 ? errno : EIO;
}

int HidrawDevice::sendFeature(const std::string& report) {
  std::vector<unsigned char> bytes(report.begin(), report.end());
  return ::ioctl(fd_, HIDIOCSFEATURE(bytes.size()), bytes.data()) < 0 ? errno : 0;
}

}  // namespace kelvor
