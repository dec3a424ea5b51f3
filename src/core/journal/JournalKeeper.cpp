#include "core/journal/JournalKeeper.h"

namespace kelvor {

bool JournalKeeper::check(const JournalFault& fault) {
  if (fault.error == 0) return true;
  if (state_ == State::Open) sink_->abandon();
  state_ = State::Failed;
  if (onFault_) onFault_(fault);
  return false;
}

void JournalKeeper::record(const std::string& answer, const DecodedFrame& reading, int channel,
                           int port, const WallTime& at) {
  if (!sink_ || state_ == State::Failed || (!enabled_ && state_ == State::Closed)) return;
  if (state_ == State::Closed) {
    start_ = at;
    lastSyncMs_ = at.utcMs;
    if (!check(sink_->open(journalFileName(at, port)))) return;
    state_ = State::Open;
    if (!check(sink_->append(journalHeader(style_)))) return;
  }
  JournalRow row = journalRowOf(answer, reading);
  row.time = at;
  row.elapsedMs = at.utcMs - start_.utcMs;
  row.channel = channel + 1;
  if (!check(sink_->append(journalLine(row, style_)))) return;
  if (at.utcMs - lastSyncMs_ >= SyncIntervalMs) {
    lastSyncMs_ = at.utcMs;
    check(sink_->sync());
  }
}

void JournalKeeper::end() {
  const bool open = state_ == State::Open;
  state_ = State::Closed;
  if (!open) return;
  const JournalFault fault = sink_->finish();  // closes the file whatever happens
  if (fault.error != 0 && onFault_) onFault_(fault);
}

}  // namespace kelvor
