// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/printing/PrintMessages.h"

namespace kelvor {

std::string PrintMessages::printFailed(const std::string& printerName, const std::string& reason) {
  if (printerName.empty()) return reason;
  return printerName + ": " + reason;
}

}  // namespace kelvor
