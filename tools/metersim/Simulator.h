// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>

#include "EventLog.h"
#include "PtyPort.h"
#include "Responder.h"
#include "Streamer.h"

namespace kelvor::metersim {

// Turns SIGINT, SIGTERM and SIGHUP into a readable descriptor, so the event loop notices them
// in poll() without races. One instance at a time.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  int fd() const { return readFd_; }

 private:
  int readFd_ = -1;
};

// The single-threaded event loop: reads polls from the terminal, asks the responder for the
// answers and writes them when due. Waiting answers never hold up reception.
class Simulator {
 public:
  using Clock = std::chrono::steady_clock;

  // `log` may be null; if not, the current line settings are logged at once. With a
  // streamer the meter sends on its own, else it answers polls; `baud` paces the bytes
  // (0: answers go out at once).
  Simulator(PtyPort& port, Responder& responder, EventLog* log, Streamer* streamer = nullptr,
            int baud = 0);

  // Runs until `stopFd` becomes readable or `quitAfter` has passed.
  void run(int stopFd, std::optional<Clock::duration> quitAfter);

 private:
  struct PendingWrite {
    Clock::time_point due;
    std::string bytes;
  };

  void receive(Clock::time_point now);
  void schedule(const Answer& answer, Clock::time_point now);
  void writeDue(Clock::time_point now);
  // Queues the streamed bytes whose time on the line has come.
  void streamDue(Clock::time_point now);
  void checkLineSettings();

  PtyPort& port_;
  Responder& responder_;
  EventLog* log_;
  Clock::time_point start_;
  std::deque<PendingWrite> pending_;
  bool waitingForRoom_ = false;        // the terminal's buffer was full
  Clock::time_point readPausedUntil_;  // after a hang-up, so the loop does not spin
  std::string lineSettings_;
  Streamer* streamer_;
  Clock::duration byteTime_{};  // one character on the line; zero: not paced
  Clock::time_point streamAt_;  // when the next streamed byte is due
  std::string streamBuffer_;    // the rest of the frame being streamed
};

}  // namespace kelvor::metersim
