// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalSerialLink.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/text/Message.h"
#include "platform/MessageTexts.h"
#include "platform/PortNaming.h"
#include "platform/TerminalDevice.h"

namespace kelvor {

namespace {

speed_t speedFor(int baud) {
  switch (baud) {
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B0;  // not a rate the line knows: keep the device's own
  }
}

void setModemLine(int fd, int line, bool on) {
  int bits = line;
  (void)::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bits);  // a pseudo-terminal has no lines
}

QString systemErrorText(int code) {
  return QString::fromLocal8Bit(std::strerror(code));
}

QString messageFor(MessageId id, std::vector<std::string> args) {
  return QString::fromStdString(messageText(Message(id, std::move(args))));
}

// "1200 7N2", as meter manuals write a line.
std::string lineText(const LineSettings& line) {
  return std::to_string(line.baud) + ' ' + std::to_string(line.dataBits) +
         parityLetter(line.parity) + std::to_string(line.stopBits);
}

}  // namespace

LocalSerialLink::~LocalSerialLink() {
  closePort();
}

LocalSerialLink::OpenResult LocalSerialLink::openPort(int port, const LineSettings& line) {
  lastPort_ = port;
  lastLine_ = line;
  hasLastPort_ = true;
  lastDevice_.clear();
  return openDevice(PortNaming::devicePath(port), line);
}

LocalSerialLink::OpenResult LocalSerialLink::openFixedDevice(const QString& devicePath,
                                                             const LineSettings& line) {
  lastLine_ = line;
  hasLastPort_ = true;
  lastDevice_ = devicePath;
  return openDevice(devicePath, line);
}

bool LocalSerialLink::reopen() {
  // A port that is no terminal stays closed until the user chooses a port again.
  if (!hasLastPort_ || notTerminal_) return false;
  closePort();
  const QString device = lastDevice_.isEmpty() ? PortNaming::devicePath(lastPort_) : lastDevice_;
  return openDevice(device, lastLine_).ok;
}

void LocalSerialLink::noteError(int error) {
  // Errors that say the device itself is gone; anything else may pass.
  if (error == EIO || error == ENXIO || error == ENODEV || error == EBADF || error == EPIPE)
    failed_ = true;
}

LocalSerialLink::OpenResult LocalSerialLink::openDevice(const QString& devicePath,
                                                        const LineSettings& line) {
  OpenResult result;
  result.devicePath = devicePath;
  failed_ = false;
  notTerminal_ = false;
  PortHandle = -1;
  // Nothing that is not a terminal is opened for writing, let alone written to or set up.
  if (const int error = TerminalDevice::pathError(devicePath)) return refused(result, error);
  if (speedFor(line.baud) == B0) {
    refused(result, EINVAL);
    result.errorText = messageFor(MessageId::RateUnknown, {std::to_string(line.baud)});
    return result;
  }
  const QByteArray path = QFile::encodeName(devicePath);
  // Never O_CREAT or O_TRUNC: a port is opened as it is or not at all.
  const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return refused(result, errno);
  if (const int error = TerminalDevice::descriptorError(fd)) {
    ::close(fd);
    return refused(result, error);
  }
  // Opening raised DTR and RTS; most interface cables need RTS low, so drop it at once.
  setModemLine(fd, TIOCM_RTS, line.rts);

  // Exclusive use: no second opener, and a lock that also holds against root.
  (void)::ioctl(fd, TIOCEXCL);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
    return refused(result, error);
  }

  if (const int error = applyLine(fd, line)) {
    (void)::ioctl(fd, TIOCNXCL);
    ::close(fd);
    refused(result, error);
    result.errorText =
        messageFor(MessageId::LineRefused, {lineText(line), systemErrorText(error).toStdString()});
    return result;
  }
  PortHandle = fd;
  result.ok = true;
  return result;
}

LocalSerialLink::OpenResult& LocalSerialLink::refused(OpenResult& result, int error) {
  notTerminal_ = error == ENOTTY;
  result.errorCode = error;
  result.errorText = systemErrorText(error);
  return result;
}

termios LocalSerialLink::meterLineSettings(const termios& current, const LineSettings& line) {
  termios tio = current;
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
  static constexpr tcflag_t Sizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag |= Sizes[std::clamp(line.dataBits, 5, 8) - 5] | CLOCAL | CREAD;
  if (line.stopBits == 2) tio.c_cflag |= CSTOPB;
  if (line.parity != Parity::None) tio.c_cflag |= PARENB;
  if (line.parity == Parity::Odd) tio.c_cflag |= PARODD;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  const speed_t speed = speedFor(line.baud);
  if (speed != B0) {
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
  }
  return tio;
}

int LocalSerialLink::applyLine(int fd, const LineSettings& line) {
  termios current{};
  if (::tcgetattr(fd, &current) != 0) return errno;
  const termios wanted = meterLineSettings(current, line);
  const int refusal = ::tcsetattr(fd, TCSANOW, &wanted) == 0 ? 0 : errno;
  // A device may keep part of its own (a pseudo-terminal always has 8 data bits, and opened
  // again it refuses any change); what must have taken is the rate and reading raw bytes.
  termios now{};
  if (::tcgetattr(fd, &now) != 0) return errno;
  if (::cfgetospeed(&now) != ::cfgetospeed(&wanted) || (now.c_lflag & ICANON) != 0)
    return refusal != 0 ? refusal : EINVAL;
  setModemLine(fd, TIOCM_RTS, line.rts);
  setModemLine(fd, TIOCM_DTR, line.dtr);
  return 0;
}

void LocalSerialLink::closePort() {
  if (PortHandle >= 0) {
    // The device keeps exclusive mode past the close: without this, no one but root could
    // open it again.
    (void)::ioctl(PortHandle, TIOCNXCL);
    ::close(PortHandle);
  }
  PortHandle = -1;
  failed_ = false;
}

bool LocalSerialLink::writePort(std::string_view text) {
  if (PortHandle < 0) return false;
  if (text.empty()) return true;
  const ssize_t written = ::write(PortHandle, text.data(), text.size());
  if (written < 0) noteError(errno);
  return written == static_cast<ssize_t>(text.size());
}

std::string LocalSerialLink::readPort() {
  if (PortHandle < 0) return {};
  std::array<char, MaxReadBytes> buffer{};
  const ssize_t got = ::read(PortHandle, buffer.data(), buffer.size());
  if (got < 0) noteError(errno);
  // Nothing read: either nothing has arrived, or the line was hung up (the device is gone).
  if (got == 0) {
    pollfd state{PortHandle, POLLIN, 0};
    if (::poll(&state, 1, 0) > 0 && (state.revents & (POLLHUP | POLLERR | POLLNVAL)))
      failed_ = true;
  }
  if (got <= 0) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(got));
}

void LocalSerialLink::discardInput() {
  if (PortHandle < 0) return;
  (void)::tcflush(PortHandle, TCIFLUSH);
  // Some drivers keep bytes past the flush; read off whatever is still there.
  std::array<char, 256> sink{};
  for (int i = 0; i < 64 && ::read(PortHandle, sink.data(), sink.size()) > 0; ++i) {
  }
}

}  // namespace kelvor
