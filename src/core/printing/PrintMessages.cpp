#include "core/printing/PrintMessages.h"

namespace kelvor {

namespace {

bool german(int langCode) {
  return langCode == 0;
}

}  // namespace

std::string PrintMessages::printFailed(const std::string& printerName, const std::string& reason) {
  if (printerName.empty()) return reason;
  return printerName + ": " + reason;
}

std::string PrintMessages::noPrinterInstalled(int langCode) {
  return german(langCode) ? "Es ist kein Drucker installiert." : "No printer is installed.";
}

std::string PrintMessages::printerUnavailable(int langCode) {
  return german(langCode) ? "Der Drucker ist nicht verfügbar." : "The printer is not available.";
}

std::string PrintMessages::jobNotStarted(int langCode) {
  return german(langCode) ? "Der Druckauftrag konnte nicht begonnen werden."
                          : "The print job could not be started.";
}

std::string PrintMessages::jobNotFinished(int langCode) {
  return german(langCode) ? "Der Druckauftrag konnte nicht abgeschlossen werden."
                          : "The print job could not be completed.";
}

}  // namespace kelvor
