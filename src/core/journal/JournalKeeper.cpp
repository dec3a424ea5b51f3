// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/journal/JournalKeeper.h"

namespace kelvor {

bool JournalKeeper::check(const JournalFault& fault) {
  if (fault.error == 0) return true;
  if (state_ == State::Open) sink_->abandon();
  state_ = State::Failed;
  report(fault);
  return false;
}

void JournalKeeper::begin(const Moment& at) {
  if (recording_) return;
  recording_ = true;
  start_ = at;
  nameTime_ = namedStart_.value_or(at.wall);
  namedStart_.reset();
  lastSyncMs_ = at.steadyMs;
}

void JournalKeeper::recordHeld(const std::vector<JournalRow>& rows, const std::string& meter,
                               const Moment& start) {
  begin(start);
  for (const JournalRow& row : rows) write(row, meter, start.steadyMs);
}

JournalRow JournalKeeper::record(const std::string& answer, const DecodedFrame& reading,
                                 int channel, const std::string& meter, const Moment& at) {
  begin(at);
  JournalRow row = journalRowOf(answer, reading);
  row.time = at.wall;
  row.elapsedMs = at.steadyMs - start_.steadyMs;
  row.channel = channel + 1;
  write(row, meter, at.steadyMs);
  return row;
}

void JournalKeeper::write(const JournalRow& row, const std::string& meter, std::int64_t steadyMs) {
  if (!sink_ || state_ == State::Failed || (!enabled_ && state_ == State::Closed)) return;
  // The header goes with the first row: a journal on disk holds a reading or nothing.
  std::string bytes = journalLine(row, style_);
  if (state_ == State::Closed) {
    if (!check(sink_->open(journalFileName(nameTime_, meter)))) return;
    state_ = State::Open;
    bytes = journalHeader(style_) + bytes;
  }
  if (!check(sink_->append(bytes))) return;
  if (steadyMs - lastSyncMs_ >= SyncIntervalMs) {
    lastSyncMs_ = steadyMs;
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
