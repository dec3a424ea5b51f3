#pragma once

#include <string>

namespace kelvor {

// The texts of the print command's failure messages: German for LangCode 0, English
// otherwise. A message names the printer, then the failure: "<printer>: <reason>".
struct PrintMessages {
  // The printer's name, ": " and the reason; the reason alone when there is no name.
  static std::string printFailed(const std::string& printerName, const std::string& reason);

  static std::string noPrinterInstalled(int langCode);
  static std::string printerUnavailable(int langCode);
  static std::string jobNotStarted(int langCode);
  static std::string jobNotFinished(int langCode);
};

}  // namespace kelvor
