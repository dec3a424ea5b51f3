// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace kelvor {

// What the program shows of one installed printer.
struct PrinterDetails {
  QString makeAndModel;  // the driver: the printer's make and model
  QString deviceUri;     // the port: where the print system sends the jobs
  int orientation = 1;   // 1 portrait, 2 landscape: the printer's default page orientation
};

// The installed printers as the print system (CUPS) knows them. Printers are named as Qt's
// printer list names them ("queue" or "queue/instance"), so a name from here can be handed
// to QPrinter as it is.
class PrinterCatalog {
 public:
  static constexpr int Portrait = 1;
  static constexpr int Landscape = 2;

  // The names of the installed printers, in the print system's order.
  static QStringList printerNames();

  // The name of the system's default printer; empty when there is none.
  static QString defaultPrinterName();

  // The driver, port and default orientation of a printer; nothing when the print system
  // does not know a printer of that name (or cannot be reached).
  static std::optional<PrinterDetails> details(const QString& name);

  // The details that a printer's options say (the print system's option names: the
  // printer's attributes and its defaults without the "-default" suffix, merged with the
  // user's own option settings).
  static PrinterDetails detailsFromOptions(const QHash<QString, QString>& options);
};

}  // namespace kelvor
