// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/files/TraceFile.h"
#include "core/text/Message.h"

namespace kelvor {

// The messages of the trace-file commands that need more than the file's name and the
// system's reason. `fileName` is the full path as the user chose it.
struct TraceFileMessages {
  static Message tooLarge(const std::string& fileName, long long maxBytes);
  static Message notLoaded(const std::string& fileName, const std::string& separator,
                           const TraceFileProblem& problem);
  static Message linesLeftOut(const std::string& fileName, int loaded, int leftOut);
};

}  // namespace kelvor
