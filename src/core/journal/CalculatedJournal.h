// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/journal/JournalFormat.h"
#include "core/journal/JournalKeeper.h"

namespace kelvor {

// The journal of every calculated channel of a recording, in one file beside the meters'
// journals: the rows of a tick stay together and the channel column tells them apart.
// Opened with the first rows, named by the recording's start; faults go to `onFault`, once a
// journal. Like a meter's journal, it opens only while enabled, and once open takes every row.
class CalculatedJournal {
 public:
  CalculatedJournal(char decimalSeparator, JournalSink& sink, JournalKeeper::FaultHandler onFault);

  void setEnabled(bool enabled) { enabled_ = enabled; }
  // The calculated rows of the tick `tick` of a recording that started at `start`, with
  // their time and elapsed time.
  void write(const std::vector<JournalRow>& rows, const Moment& tick, const Moment& start);
  // Ends the journal cleanly; the next rows open a new one.
  void finish();

  // "2026-12-07_14-50-00_calc.csv" for a start at that time.
  static std::string fileName(const WallTime& start);

 private:
  bool check(const JournalFault& fault);

  JournalStyle style_;
  JournalSink& sink_;
  JournalKeeper::FaultHandler onFault_;
  bool enabled_ = true;
  bool open_ = false;
  bool failed_ = false;
  std::int64_t lastSyncMs_ = 0;
};

}  // namespace kelvor
