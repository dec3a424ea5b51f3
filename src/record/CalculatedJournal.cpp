// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/CalculatedJournal.h"

#include "core/journal/JournalKeeper.h"
#include "platform/JournalFile.h"

namespace kelvor {

CalculatedJournal::CalculatedJournal(char decimalSeparator, JournalWriter::FaultHandler onFault)
    : style_(journalStyleFor(decimalSeparator)),
      onFault_(onFault),
      writer_(std::make_unique<JournalFile>(), std::move(onFault)) {}

std::string CalculatedJournal::fileName(const WallTime& start) {
  // The meters' journals end in "_COMn.csv"; this one in "_calc.csv".
  const std::string meterName = journalFileName(start, 0);
  return meterName.substr(0, meterName.rfind('_')) + "_calc.csv";
}

bool CalculatedJournal::check(const JournalFault& fault) {
  if (fault.error == 0) return true;
  if (open_) writer_.abandon();
  open_ = false;
  failed_ = true;
  if (onFault_) onFault_(fault);
  return false;
}

void CalculatedJournal::write(const std::vector<JournalRow>& rows, std::int64_t steadyMs) {
  if (rows.empty() || failed_) return;
  std::string bytes;
  for (const JournalRow& row : rows) bytes += journalLine(row, style_);
  if (!open_) {
    if (!check(writer_.open(fileName(rows.front().time)))) return;
    open_ = true;
    lastSyncMs_ = steadyMs;
    bytes = journalHeader(style_) + bytes;
  }
  if (!check(writer_.append(bytes))) return;
  if (steadyMs - lastSyncMs_ >= JournalKeeper::SyncIntervalMs) {
    lastSyncMs_ = steadyMs;
    check(writer_.sync());
  }
}

bool CalculatedJournal::end() {
  if (open_) check(writer_.finish());
  open_ = false;
  return writer_.close();
}

}  // namespace kelvor
