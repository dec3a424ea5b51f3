// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/journal/JournalTraces.h"

namespace kelvor {

JournalTraces::JournalTraces(TraceStore& store, int channel) : store_(store), channel_(channel) {
  store_.setCount(channel_, 0);
  stream_.skipBadRows();
  stream_.setRowSink([this](const JournalRow& row) {
    if (count_ >= store_.lastSlot()) {
      ++leftOut_;
      return;
    }
    ++count_;
    store_.setUnit(channel_, row.unit);  // the newest, as a live channel keeps it
    store_.setSample(channel_, count_, row.value,
                     static_cast<float>(static_cast<double>(row.elapsedMs) / 1000.0));
  });
}

ParsedJournal JournalTraces::finish() {
  ParsedJournal read = stream_.finish(true);
  store_.setCount(channel_, read.badLine == 0 ? count_ : 0);
  return read;
}

}  // namespace kelvor
