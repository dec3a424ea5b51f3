#pragma once

#include <string>

#include "core/files/TraceFile.h"

namespace kelvor {

// The texts of the trace-file commands' messages, German for LangCode 0 and English
// otherwise. `fileName` is the full path as the user chose it; `reason` the system's text.
struct TraceFileMessages {
  static std::string saveFailed(int langCode, const std::string& fileName,
                                const std::string& reason);
  static std::string openFailed(int langCode, const std::string& fileName,
                                const std::string& reason);
  static std::string tooLarge(int langCode, const std::string& fileName, long long maxBytes);
  static std::string notLoaded(int langCode, const std::string& fileName,
                               const std::string& separator, const TraceFileProblem& problem);
  static std::string linesLeftOut(int langCode, const std::string& fileName, int loaded,
                                  int leftOut);
};

}  // namespace kelvor
