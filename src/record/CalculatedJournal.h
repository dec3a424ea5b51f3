// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/journal/JournalFormat.h"
#include "platform/JournalWriter.h"

namespace kelvor {

// The journal of every calculated channel of a recording, in one file beside the meters'
// journals: the rows of a tick stay together and the channel column tells them apart.
// Opened with the first rows, named by their time; faults go to `onFault`, once a journal.
class CalculatedJournal {
 public:
  CalculatedJournal(char decimalSeparator, JournalWriter::FaultHandler onFault);

  // The calculated rows of one tick (time and elapsed time already set).
  void write(const std::vector<JournalRow>& rows, std::int64_t steadyMs);
  // Ends the journal cleanly; false when the disk did not take it in time.
  bool end();
  std::string path() const { return writer_.path(); }

  // "2026-12-07_14-50-00_calc.csv" for a start at that time.
  static std::string fileName(const WallTime& start);

 private:
  bool check(const JournalFault& fault);

  JournalStyle style_;
  JournalWriter::FaultHandler onFault_;
  JournalWriter writer_;
  bool open_ = false;
  bool failed_ = false;
  std::int64_t lastSyncMs_ = 0;
};

}  // namespace kelvor
