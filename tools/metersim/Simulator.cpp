// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace kelvor::metersim {

namespace {

// More waiting answers than this means the client does not read; newer polls are dropped.
constexpr std::size_t kMaxPendingWrites = 64;
// How often line settings are looked at while nothing else happens (only when logging).
constexpr std::chrono::milliseconds kLineCheckInterval(200);
constexpr std::chrono::milliseconds kHangupPause(100);
constexpr std::chrono::milliseconds kStreamGranularity(2);
// How long a silent streaming meter stays quiet before it is asked for bytes again.
constexpr std::chrono::milliseconds kSilencePause(100);

int stopWriteFd = -1;

extern "C" void onStopSignal(int) {
  const int saved = errno;
  const char byte = 's';
  [[maybe_unused]] const ssize_t written = write(stopWriteFd, &byte, 1);
  errno = saved;
}

// Milliseconds until `when`, rounded up so poll() does not wake early and spin.
int millisecondsUntil(Simulator::Clock::time_point when, Simulator::Clock::time_point now) {
  if (when <= now) return 0;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(when - now).count();
  return static_cast<int>(std::min<decltype(wait)>(wait, 60 * 60 * 1000));
}

}  // namespace

StopSignals::StopSignals() {
  int fds[2];
  if (pipe(fds) != 0)
    throw std::runtime_error(std::string("cannot create a pipe: ") + strerror(errno));
  for (const int fd : fds) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  readFd_ = fds[0];
  stopWriteFd = fds[1];

  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  // A client that closed our standard output must not kill us before the link is removed.
  ::signal(SIGPIPE, SIG_IGN);
}

StopSignals::~StopSignals() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  close(stopWriteFd);
  close(readFd_);
  stopWriteFd = -1;
}

Simulator::Simulator(PtyPort& port, Responder& responder, EventLog* log, Streamer* streamer,
                     int baud)
    : port_(port),
      responder_(responder),
      log_(log),
      start_(Clock::now()),
      streamer_(streamer),
      streamAt_(start_) {
  if (baud > 0)
    byteTime_ = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(kBitsPerCharacter) / baud));
  if (!log_) return;
  if (!port_.showsCharacterFormat()) {
    log_->note("note: this system reports 8 data bits and no parity for every pseudo-terminal");
  }
  checkLineSettings();
}

void Simulator::run(int stopFd, std::optional<Clock::duration> quitAfter) {
  const std::optional<Clock::time_point> quitAt =
      quitAfter ? std::optional<Clock::time_point>(start_ + *quitAfter) : std::nullopt;
  Clock::time_point nextLineCheck = Clock::now() + kLineCheckInterval;

  while (true) {
    Clock::time_point now = Clock::now();
    if (streamer_) streamDue(now);
    writeDue(now);
    if (quitAt && now >= *quitAt) return;
    if (log_ && now >= nextLineCheck) {
      checkLineSettings();
      nextLineCheck = now + kLineCheckInterval;
    }

    // Sleep until the next thing to do; with nothing scheduled, until a byte or signal comes.
    std::optional<Clock::time_point> wakeAt = quitAt;
    auto wakeBy = [&wakeAt](Clock::time_point when) {
      if (!wakeAt || when < *wakeAt) wakeAt = when;
    };
    if (!pending_.empty() && !waitingForRoom_) wakeBy(pending_.front().due);
    // Streamed bytes go out in small bunches, as often as a line would need to be served.
    if (streamer_) wakeBy(std::max(streamAt_, now + kStreamGranularity));
    if (log_) wakeBy(nextLineCheck);
    const bool reading = now >= readPausedUntil_;
    if (!reading) wakeBy(readPausedUntil_);

    // While reading pauses the terminal is left out entirely: a hang-up would wake poll() at once.
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {reading ? port_.master() : -1, POLLIN, 0}};
    if (waitingForRoom_) fds[1].events |= POLLOUT;
    const int timeout = wakeAt ? millisecondsUntil(*wakeAt, now) : -1;
    if (poll(fds, 2, timeout) < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(std::string("poll failed: ") + strerror(errno));
    }
    if (fds[0].revents) return;

    now = Clock::now();
    if (fds[1].revents & POLLOUT) waitingForRoom_ = false;
    if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) receive(now);
  }
}

void Simulator::receive(Clock::time_point now) {
  unsigned char buffer[256];
  const ssize_t count = read(port_.master(), buffer, sizeof buffer);
  if (count < 0) {
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return;
    // EIO: no one has the terminal open. Our own slave descriptor prevents that, but should
    // it happen anyway, wait a little instead of polling a hung-up descriptor in a loop.
    readPausedUntil_ = now + kHangupPause;
    return;
  }
  if (count == 0) {
    readPausedUntil_ = now + kHangupPause;
    return;
  }

  // Settings first: a client configures the line and then polls.
  if (log_) checkLineSettings();
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  for (ssize_t i = 0; i < count; ++i) {
    if (log_) log_->received(buffer[i]);
    // A streaming meter never answers: it only sends.
    if (streamer_) continue;
    if (const std::optional<Answer> answer = responder_.receive(buffer[i], elapsed))
      schedule(*answer, now);
  }
}

void Simulator::schedule(const Answer& answer, Clock::time_point now) {
  if (answer.bytes.empty()) return;
  if (pending_.size() >= kMaxPendingWrites) {
    if (log_) log_->note("answer dropped: the client does not read");
    return;
  }
  // Answers leave one after the other, as on a real line, even when a later one is due sooner.
  Clock::time_point due = now + std::chrono::milliseconds(answer.delayMs);
  if (!pending_.empty()) due = std::max(due, pending_.back().due);

  const std::size_t firstPart = answer.split.bytes;
  if (byteTime_ != Clock::duration::zero()) {
    // Character by character, as the line carries them.
    for (const char c : answer.bytes) {
      pending_.push_back({due, std::string(1, c)});
      due += byteTime_;
    }
  } else if (firstPart > 0 && firstPart < answer.bytes.size()) {
    pending_.push_back({due, answer.bytes.substr(0, firstPart)});
    pending_.push_back(
        {due + std::chrono::milliseconds(answer.split.pauseMs), answer.bytes.substr(firstPart)});
  } else {
    pending_.push_back({due, answer.bytes});
  }
}

void Simulator::streamDue(Clock::time_point now) {
  std::string bytes;
  while (streamAt_ <= now) {
    if (streamBuffer_.empty()) {
      const double elapsed = std::chrono::duration<double>(streamAt_ - start_).count();
      streamBuffer_ = streamer_->next(elapsed);
      if (streamBuffer_.empty()) {
        streamAt_ += kSilencePause;
        continue;
      }
    }
    bytes += streamBuffer_.front();
    streamBuffer_.erase(0, 1);
    streamAt_ += byteTime_;
  }
  // A client that does not read loses what its line would have lost.
  if (!bytes.empty() && pending_.size() < kMaxPendingWrites) pending_.push_back({now, bytes});
}

void Simulator::writeDue(Clock::time_point now) {
  // Paced bytes that are due go out in one write; unpaced answers one write each.
  while (byteTime_ != Clock::duration::zero() && pending_.size() > 1 && pending_[1].due <= now) {
    pending_[1].bytes.insert(0, pending_.front().bytes);
    pending_.pop_front();
  }
  while (!waitingForRoom_ && !pending_.empty() && pending_.front().due <= now) {
    std::string& bytes = pending_.front().bytes;
    const ssize_t written = write(port_.master(), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        waitingForRoom_ = true;
        return;
      }
      if (log_) log_->note(std::string("answer lost: ") + strerror(errno));
      pending_.pop_front();
      continue;
    }
    const auto count = static_cast<std::size_t>(written);
    if (log_) log_->sent(bytes.substr(0, count));
    bytes.erase(0, count);
    if (bytes.empty()) pending_.pop_front();
  }
}

void Simulator::checkLineSettings() {
  termios settings{};
  if (tcgetattr(port_.slave(), &settings) != 0) return;
  std::string description = describeLineSettings(settings);
  if (description == lineSettings_) return;
  lineSettings_ = std::move(description);
  log_->lineSettings(lineSettings_);
}

}  // namespace kelvor::metersim
