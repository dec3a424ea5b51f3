#include "core/printing/PrintMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvor {
namespace {

TEST(PrintMessagesTest, NamesThePrinterThenTheFailure) {
  struct Case {
    const char* name;
    std::string message;
    std::string expected;
  };
  const std::vector<Case> cases{
      {"no printer installed, German",
       PrintMessages::printFailed("", PrintMessages::noPrinterInstalled(0)),
       "Es ist kein Drucker installiert."},
      {"no printer installed, English",
       PrintMessages::printFailed("", PrintMessages::noPrinterInstalled(1)),
       "No printer is installed."},
      {"printer gone, German",
       PrintMessages::printFailed("Laser", PrintMessages::printerUnavailable(0)),
       "Laser: Der Drucker ist nicht verfügbar."},
      {"printer gone, English (system language 1060)",
       PrintMessages::printFailed("Laser", PrintMessages::printerUnavailable(2)),
       "Laser: The printer is not available."},
      {"job not started", PrintMessages::printFailed("PDF", PrintMessages::jobNotStarted(0)),
       "PDF: Der Druckauftrag konnte nicht begonnen werden."},
      {"job not finished", PrintMessages::printFailed("PDF", PrintMessages::jobNotFinished(1)),
       "PDF: The print job could not be completed."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.message, c.expected);
  }
}

}  // namespace
}  // namespace kelvor
