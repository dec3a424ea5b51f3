#include "core/journal/JournalKeeper.h"

namespace kelvor {

bool JournalKeeper::check(const JournalFault& fault) {
  if (fault.error == 0) return true;
  if (state_ == State::Open) sink_->abandon();
  state_ = State::Failed;
  report(fault);
  return false;
}

JournalRow JournalKeeper::record(const std::string& answer, const DecodedFrame& reading,
                                 int channel, int port, const WallTime& at) {
  if (!recording_) {
    recording_ = true;
    start_ = at;
    lastSyncMs_ = at.utcMs;
  }
  JournalRow row = journalRowOf(answer, reading);
  row.time = at;
  row.elapsedMs = at.utcMs - start_.utcMs;
  row.channel = channel + 1;
  write(row, port);
  return row;
}

void JournalKeeper::write(const JournalRow& row, int port) {
  if (!sink_ || state_ == State::Failed || (!enabled_ && state_ == State::Closed)) return;
  // The header goes with the first row: a journal on disk holds a reading or nothing.
  std::string bytes = journalLine(row, style_);
  if (state_ == State::Closed) {
    if (!check(sink_->open(journalFileName(start_, port)))) return;
    state_ = State::Open;
    bytes = journalHeader(style_) + bytes;
  }
  if (!check(sink_->append(bytes))) return;
  if (row.time.utcMs - lastSyncMs_ >= SyncIntervalMs) {
    lastSyncMs_ = row.time.utcMs;
    check(sink_->sync());
  }
}

void JournalKeeper::end() {
  recording_ = false;
  const bool open = state_ == State::Open;
  state_ = State::Closed;
  if (!open) return;
  const JournalFault fault = sink_->finish();  // closes the file whatever happens
  if (fault.error != 0) report(fault);
}

}  // namespace kelvor
