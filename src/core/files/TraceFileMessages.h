// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/files/TraceFile.h"
#include "core/journal/JournalFormat.h"
#include "core/text/Message.h"

namespace kelvor {

// The messages of the trace-file commands that need more than the file's name and the
// system's reason. `fileName` is the full path as the user chose it.
struct TraceFileMessages {
  static Message tooLarge(const std::string& fileName, long long maxBytes);
  static Message notLoaded(const std::string& fileName, const std::string& separator,
                           const TraceFileProblem& problem);
  static Message linesLeftOut(const std::string& fileName, int loaded, int leftOut);
  // A journal read with its malformed rows skipped: why it did not load (badLine), or which of
  // its rows were left out ("5, 6, …").
  static Message journalNotLoaded(const std::string& fileName, const ParsedJournal& journal);
  static Message journalRowsLeftOut(const std::string& fileName, const ParsedJournal& journal);
};

}  // namespace kelvor
