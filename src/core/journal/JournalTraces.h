// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

#include "core/journal/JournalStream.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// A journal read into one channel of a store at its full resolution: every reading a sample
// at its elapsed time (seconds since the recording's start), a reading without a usable value
// a gap. Fed a piece at a time, so its length is bounded only by the store.
class JournalTraces {
 public:
  JournalTraces(TraceStore& store, int channel);

  void feed(const char* data, std::size_t size) { stream_.feed(data, size); }
  // Sets the channel's count (which builds its summary); a torn last row and the rows that are not
  // as the program writes them are left out (told in the result). With a wrong header (badLine
  // 1) the channel is left empty.
  ParsedJournal finish();
  // Readings beyond the store's room: left out.
  int leftOut() const { return leftOut_; }

 private:
  TraceStore& store_;
  int channel_;
  int count_ = 0;
  int leftOut_ = 0;
  JournalStream stream_;
};

}  // namespace kelvor
