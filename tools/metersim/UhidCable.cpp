// SPDX-License-Identifier: GPL-3.0-or-later
#include "UhidCable.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "StreamEncoder.h"
#include "Streamer.h"

namespace kelvor::metersim {

namespace {

using Clock = std::chrono::steady_clock;

std::runtime_error failure(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

UhidCable::UhidCable(VirtualCable cable) : cable_(cable) {
  fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw failure("cannot open /dev/uhid");
  try {
    send(createEvent(cable));
  } catch (...) {
    ::close(fd_);
    throw;
  }
}

UhidCable::~UhidCable() {
  uhid_event destroy{};
  destroy.type = UHID_DESTROY;
  [[maybe_unused]] const ssize_t written = ::write(fd_, &destroy, sizeof destroy);
  ::close(fd_);
}

void UhidCable::send(const uhid_event& event) {
  if (::write(fd_, &event, sizeof event) != static_cast<ssize_t>(sizeof event))
    throw failure("cannot write to /dev/uhid");
}

void UhidCable::answerHost() {
  uhid_event request{};
  while (::read(fd_, &request, sizeof request) > 0)
    if (const std::optional<uhid_event> answer = answerTo(request)) send(*answer);
}

void UhidCable::run(Options& options, int stopFd, std::optional<Clock::duration> quitAfter) {
  Streamer streamer(options);
  const int baud = options.baud.value_or(defaultBaud(options.family));
  const Clock::time_point start = Clock::now();
  Clock::time_point nextFrame = start;
  while (true) {
    const Clock::time_point now = Clock::now();
    if (quitAfter && now - start >= *quitAfter) return;
    if (now >= nextFrame) {
      const std::string bytes = streamer.next(std::chrono::duration<double>(now - start).count());
      for (const std::string& report : cableInputReports(cable_, bytes)) send(inputEvent(report));
      // A frame takes its time on the meter's line; a silent meter is asked again shortly.
      const double seconds =
          bytes.empty() ? 0.1
                        : static_cast<double>(bytes.size()) * kBitsPerCharacter / std::max(baud, 1);
      nextFrame =
          now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    }
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {fd_, POLLIN, 0}};
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextFrame - Clock::now());
    if (::poll(fds, 2, static_cast<int>(std::max<long long>(wait.count(), 0))) < 0 &&
        errno != EINTR)
      throw failure("poll failed");
    if (fds[0].revents) return;
    if (fds[1].revents & POLLIN) answerHost();
  }
}

}  // namespace kelvor::metersim
