// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kelvor {

// Follows a recording without a window: when it is complete (count or duration reached).
// A reading that reaches the count or duration completes the recording once its tick is done:
// the other meters' readings of that tick belong to it too. Times are milliseconds of a
// steady clock.
class RecordWatch {
 public:
  static constexpr std::int64_t PollMs = 1000;

  // durationS, count: 0 for no limit; startMs: the program's start.
  RecordWatch(std::int64_t durationS, std::int64_t count, std::int64_t startMs)
      : durationMs_(durationS * 1000), count_(count), startMs_(startMs) {}

  // A reading was recorded.
  void answered(std::int64_t nowMs);
  // A poll went out.
  void polled(std::int64_t nowMs);
  // Every meter's reading of the tick is in, or the next tick has come.
  void tickDone() { done_ = done_ || reached_; }

  bool done() const { return done_; }
  std::int64_t readings() const { return readings_; }
  // Since the first reading (or the start while there is none).
  std::int64_t elapsedMs(std::int64_t nowMs) const { return nowMs - startMs_; }
  // Of the duration, or -1 without one.
  std::int64_t remainingMs(std::int64_t nowMs) const;

 private:
  std::int64_t durationMs_;
  std::int64_t count_;
  std::int64_t startMs_;
  std::int64_t readings_ = 0;
  bool reached_ = false;  // by a reading of the tick that goes on
  bool done_ = false;
};

}  // namespace kelvor
