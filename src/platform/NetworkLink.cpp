// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NetworkLink.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/MessageTexts.h"

namespace kelvor {

namespace {

constexpr int WaitStepMs = 5;

// Handles events until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!condition()) {
    if (elapsed.elapsed() >= timeoutMs) return false;
    QEventLoop loop;
    QTimer::singleShot(WaitStepMs, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

// A name lookup on its own thread; what it found is shared with the waiting side, which may
// give up before it ends.
struct Lookup {
  std::mutex mutex;
  bool done = false;
  int status = 0;
  addrinfo* found = nullptr;
  ~Lookup() {
    if (found) ::freeaddrinfo(found);
  }
};

std::shared_ptr<Lookup> lookUp(const NetworkAddress& address) {
  auto lookup = std::make_shared<Lookup>();
  std::thread([lookup, host = address.host, port = std::to_string(address.port)] {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int status = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    const std::lock_guard<std::mutex> lock(lookup->mutex);
    lookup->status = status;
    lookup->found = found;
    lookup->done = true;
  }).detach();
  return lookup;
}

QString text(const Message& message) {
  return QString::fromStdString(messageText(message));
}

QString systemText(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

NetworkLink::~NetworkLink() {
  closePort();
}

LocalSerialLink::OpenResult NetworkLink::open(const NetworkAddress& address,
                                              const RemoteLineSettings& settings) {
  LocalSerialLink::OpenResult result;
  result.devicePath = QString::fromStdString(address.text());
  if (opening_) {
    result.errorCode = EALREADY;
    result.errorText = systemText(EALREADY);
    return result;
  }
  closePort();
  opening_ = true;
  abandoned_ = false;
  last_ = address;
  settings_ = settings;
  socket_ = connectTo(address, result.errorText);
  if (socket_ < 0) {
    result.errorCode = -socket_;
    socket_ = -1;
  } else if (!abandoned_ && address.kind == NetworkAddress::Kind::Rfc2217) {
    result.errorCode = negotiate(result.errorText, result.note);
  }
  if (abandoned_ && socket_ >= 0) {
    result.errorCode = ECANCELED;
    result.errorText = systemText(ECANCELED);
  }
  opening_ = false;
  if (result.errorCode != 0) closePort();
  result.ok = socket_ >= 0;
  return result;
}

bool NetworkLink::reopen() {
  if (!last_ || opening_) return false;
  return open(*last_, settings_).ok;
}

// The connected socket, or minus the error number with `reason` set.
int NetworkLink::connectTo(const NetworkAddress& address, QString& reason) {
  const std::shared_ptr<Lookup> lookup = lookUp(address);
  const auto looked = [&lookup] {
    const std::lock_guard<std::mutex> lock(lookup->mutex);
    return lookup->done;
  };
  if (!waitFor(looked, ConnectTimeoutMs)) {
    reason = systemText(ETIMEDOUT);
    return -ETIMEDOUT;
  }
  if (lookup->status != 0) {
    // The resolver's own reason; as a number, the one of a port that is not there.
    reason = QString::fromLocal8Bit(::gai_strerror(lookup->status));
    return lookup->status == EAI_SYSTEM && errno != 0 ? -errno : -ENOENT;
  }
  int error = ECONNREFUSED;
  for (const addrinfo* at = lookup->found; at; at = at->ai_next) {
    const int fd =
        ::socket(at->ai_family, at->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, at->ai_protocol);
    if (fd < 0) {
      error = errno;
      continue;
    }
    error = ::connect(fd, at->ai_addr, at->ai_addrlen) == 0 ? 0 : errno;
    if (error == EINPROGRESS) {
      const auto writable = [fd] {
        pollfd state{fd, POLLOUT, 0};
        return ::poll(&state, 1, 0) > 0;
      };
      error = ETIMEDOUT;
      socklen_t length = sizeof(error);
      if (waitFor(writable, ConnectTimeoutMs))
        (void)::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
    }
    if (error == 0) {
      const int on = 1;  // a poll is one byte: send it at once
      (void)::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
      // A server that vanished without a word (cable, power) fails the polls it leaves
      // unacknowledged after this long, instead of after the system's quarter of an hour.
      const unsigned int unacknowledgedMs = 10000;
      (void)::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &unacknowledgedMs,
                         sizeof(unacknowledgedMs));
      return fd;
    }
    ::close(fd);
  }
  reason = systemText(error);
  return -error;
}

// Agrees the options and sets the line; 0, or the error number with `reason` set. A server
// that does not confirm the control lines is accepted, with `note` saying so.
int NetworkLink::negotiate(QString& reason, QString& note) {
  telnet_ = std::make_unique<TelnetComPort>(settings_);
  sendRaw(telnet_->opening());
  TelnetComPort& telnet = *telnet_;
  const auto settled = [this, &telnet] {
    receiveAvailable();
    return abandoned_ || failed_ || telnet.comPortRefused() || telnet.refusedSetting() ||
           telnet.lineAnswered();
  };
  int error = 0;
  if (!waitFor(settled, AnswerTimeoutMs)) {
    error = ETIMEDOUT;
    reason = text(Message(MessageId::LineNotConfirmed));
  } else if (failed_) {
    error = ECONNRESET;
    reason = systemText(error);
  } else if (telnet.comPortRefused()) {
    error = EPROTONOSUPPORT;
    reason = text(Message(MessageId::NoComPortOption));
  }
  const auto controlSettled = [this, &telnet] {
    receiveAvailable();
    return abandoned_ || telnet.refusedSetting() || telnet.controlAnswered();
  };
  if (error == 0 && !waitFor(controlSettled, ControlWaitMs))
    note = text(Message(MessageId::ControlNotConfirmed));
  if (error == 0 && telnet.refusedSetting()) {
    error = EINVAL;
    reason = text(*telnet.refusedSetting());
  }
  return error;
}

void NetworkLink::sendRaw(const std::string& bytes) {
  if (socket_ < 0 || bytes.empty()) return;
  const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK) failed_ = true;
}

void NetworkLink::receiveAvailable() {
  std::array<char, 512> buffer{};
  while (socket_ >= 0 && !failed_) {
    const ssize_t got = ::recv(socket_, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (got <= 0) {
      failed_ = true;  // the server closed the connection or it broke: the line is gone
      return;
    }
    const std::string_view bytes(buffer.data(), static_cast<std::size_t>(got));
    if (!telnet_) {
      received_.append(bytes);
      continue;
    }
    received_ += telnet_->receive(bytes);
    sendRaw(telnet_->takeReplies());
  }
}

bool NetworkLink::writePort(std::string_view text) {
  if (socket_ < 0) return false;
  const std::string bytes = telnet_ ? TelnetComPort::encodeData(text) : std::string(text);
  const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK) failed_ = true;
  return sent == static_cast<ssize_t>(bytes.size());
}

std::string NetworkLink::readPort() {
  receiveAvailable();
  const std::size_t count = std::min(received_.size(), LocalSerialLink::MaxReadBytes);
  std::string out = received_.substr(0, count);
  received_.erase(0, count);
  return out;
}

void NetworkLink::discardInput() {
  receiveAvailable();
  received_.clear();
}

void NetworkLink::closePort() {
  if (opening_) {
    // The open on the stack below still uses the socket; it closes it when it returns.
    abandoned_ = true;
    return;
  }
  if (socket_ >= 0) ::close(socket_);
  socket_ = -1;
  failed_ = false;
  telnet_.reset();
  received_.clear();
}

}  // namespace kelvor
