// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/acquisition/MeterFrame.h"
#include "core/journal/JournalFormat.h"

namespace kelvor {

// What went wrong with a journal: the system's error number and the file.
struct JournalFault {
  int error = 0;  // 0: no fault
  std::string path;
};

// Where a journal's bytes go: one open file of the recordings folder at a time.
class JournalSink {
 public:
  virtual ~JournalSink() = default;
  // Creates `name` + ".part" in the recordings folder, holding a lock on it while it is open.
  virtual JournalFault open(const std::string& name) = 0;
  // Hands the bytes to the operating system at once.
  virtual JournalFault append(const std::string& bytes) = 0;
  // Brings what was appended to the disk.
  virtual JournalFault sync() = 0;
  // Syncs, closes and renames the file to `name`: the recording ended cleanly.
  virtual JournalFault finish() = 0;
  // Closes the file as it is, after a fault.
  virtual void abandon() = 0;
  // Where the readings go: the open file ("" when none is open).
  virtual std::string path() const { return {}; }
};

// Decides when a journal starts, goes on and ends: the first reading after the start of the
// program or after a clean end opens a new journal; switching drawing off and on again leaves
// it open; Reset and the end of the program end it. A fault is reported once per journal; the
// recording goes on without it and the next one tries again.
class JournalKeeper {
 public:
  static constexpr std::int64_t SyncIntervalMs = 10000;
  using FaultHandler = std::function<void(const JournalFault&)>;

  explicit JournalKeeper(char decimalSeparator) : style_(journalStyleFor(decimalSeparator)) {}

  void attach(JournalSink* sink) { sink_ = sink; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  void setFaultHandler(FaultHandler handler) { onFault_ = std::move(handler); }
  // Names the next recording's file by `start` instead of its first reading's time, so that
  // the journals of meters polled on one tick share their start. None while one goes on.
  void nameNextBy(const WallTime& start) {
    if (!recording_) namedStart_ = start;
  }
  // A reading came since the start of the program or the last end.
  bool recording() const { return recording_; }

  // A reading was decoded while drawing is active; `answer` as the meter sent it. Returns
  // its row, timed by the steady clock from the first reading of the recording, whether a
  // file takes it or not.
  // `meter` names the file (see meterName).
  JournalRow record(const std::string& answer, const DecodedFrame& reading, int channel,
                    const std::string& meter, const Moment& at);
  // Starts the recording at `start` with rows taken before it (a start rule's pre-trigger
  // readings), their times and elapsed times already set, oldest first.
  void recordHeld(const std::vector<JournalRow>& rows, const std::string& meter,
                  const Moment& start);
  // The recording ended cleanly.
  void end();
  // Tells a fault to the handler: also one that the sink found later, on its own.
  void report(const JournalFault& fault) const {
    if (onFault_) onFault_(fault);
  }

 private:
  enum class State { Closed, Open, Failed };
  // A recording starts at `at`, unless one goes on.
  void begin(const Moment& at);
  bool check(const JournalFault& fault);
  void write(const JournalRow& row, const std::string& meter, std::int64_t steadyMs);

  JournalStyle style_;
  JournalSink* sink_ = nullptr;
  bool enabled_ = true;
  FaultHandler onFault_;
  State state_ = State::Closed;
  bool recording_ = false;  // a reading came since the start of the program or the last end
  Moment start_;
  std::optional<WallTime> namedStart_;  // what names the next recording's file
  WallTime nameTime_;                   // what names this recording's file
  std::int64_t lastSyncMs_ = 0;         // steady clock
};

}  // namespace kelvor
