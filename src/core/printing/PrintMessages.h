// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// A print failure names the printer, then the failure: "<printer>: <reason>".
struct PrintMessages {
  // The printer's name, ": " and the reason; the reason alone when there is no name.
  static std::string printFailed(const std::string& printerName, const std::string& reason);
};

}  // namespace kelvor
