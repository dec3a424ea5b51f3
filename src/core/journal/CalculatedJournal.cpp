// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/journal/CalculatedJournal.h"

namespace kelvor {

CalculatedJournal::CalculatedJournal(char decimalSeparator, JournalSink& sink,
                                     JournalKeeper::FaultHandler onFault)
    : style_(journalStyleFor(decimalSeparator)), sink_(sink), onFault_(std::move(onFault)) {}

std::string CalculatedJournal::fileName(const WallTime& start) {
  return journalFileName(start, "calc");
}

bool CalculatedJournal::check(const JournalFault& fault) {
  if (fault.error == 0) return true;
  if (open_) sink_.abandon();
  open_ = false;
  failed_ = true;
  if (onFault_) onFault_(fault);
  return false;
}

void CalculatedJournal::write(const std::vector<JournalRow>& rows, const Moment& tick,
                              const Moment& start) {
  if (rows.empty() || failed_ || (!enabled_ && !open_)) return;
  std::string bytes;
  for (const JournalRow& row : rows) bytes += journalLine(row, style_);
  if (!open_) {
    if (!check(sink_.open(fileName(start.wall)))) return;
    open_ = true;
    lastSyncMs_ = tick.steadyMs;
    bytes = journalHeader(style_) + bytes;
  }
  if (!check(sink_.append(bytes))) return;
  if (tick.steadyMs - lastSyncMs_ >= JournalKeeper::SyncIntervalMs) {
    lastSyncMs_ = tick.steadyMs;
    check(sink_.sync());
  }
}

void CalculatedJournal::finish() {
  if (open_) check(sink_.finish());
  open_ = false;
  failed_ = false;  // the next journal tries again
}

}  // namespace kelvor
