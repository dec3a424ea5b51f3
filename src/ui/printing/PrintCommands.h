// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "core/plot/ScopeController.h"
#include "core/printing/DiagramLayout.h"
#include "core/printing/PrintOptions.h"
#include "core/recording/TraceStore.h"

class QPrinter;
class QWidget;

namespace kelvor {

// The File menu's "&Drucken" and "Drucker &einrichten" and the Edit menu's "Grafik kopieren
// farbig" and "Grafik kopieren s/w": the diagram as the screen shows it, on the current
// printer, into a PDF file, or on the clipboard. Failures are reported in a message naming
// the printer.
class PrintCommands {
 public:
  // Shows a message to the user; a message box unless a test captures the texts.
  using MessageSink = std::function<void(QWidget* parent, const QString& text)>;

  // How the command reaches the current printer: its device name (empty when there is no
  // printer at all), and pointing a QPrinter at it with its page set-up (false when that
  // printer cannot be had). Without one the command uses the printer named by
  // setCurrentPrinter, or else the system's default printer.
  struct PrinterAccess {
    std::function<QString()> currentName;
    std::function<bool(QPrinter& printer)> setUp;
  };

  PrintCommands(const TraceStore& store, const ScopeController& scope, const PrintOptions& options,
                QWidget* parent, MessageSink messages = {});
  // The built-in printer access refers to this object.
  PrintCommands(const PrintCommands&) = delete;
  PrintCommands& operator=(const PrintCommands&) = delete;

  // The printer that "&Drucken" prints on; empty: the system's default printer.
  void setCurrentPrinter(const QString& name) { currentPrinter_ = name; }
  const QString& currentPrinter() const { return currentPrinter_; }
  // Replaces the built-in printer access (for a printer choice kept elsewhere).
  void setPrinterAccess(PrinterAccess access);
  // Asks for the name of the PDF file to print into; empty when the user cancels.
  using FileNameQuestion = std::function<QString(QWidget* parent)>;
  void setPdfFileQuestion(FileNameQuestion ask) { askPdfFile_ = std::move(ask); }
  static QString askPdfFileName(QWidget* parent);
  // What "Drucker &einrichten" opens: the printer dialog, shown modally.
  void setPrinterSetup(std::function<void()> openDialog) { printerSetup_ = std::move(openDialog); }

  // Menu handlers: index 0 prints, 1 opens the printer dialog.
  void onPrintClicked(int index);
  // Index 0 copies in colour (dark channel colours), 1 in black.
  void onCopyClicked(int index);

  // Lays the diagram out for the printer's resolution and printable area and prints it as
  // one page, in colour when PrintColored is set. False, after a message, when nothing
  // was printed.
  bool printTo(QPrinter& printer);

  // The printer as the layout sees it: resolution, printable area (the page's paint
  // rectangle), colour, and its text measures.
  static DeviceInfo printerDevice(const QPrinter& printer);

  // The diagram as the screen shows it now, with the axis captions the scope laid out.
  DiagramInput diagramInput(bool coloured) const;

  // The device name the last print command used (empty when there was no printer).
  const QString& printerName() const { return printerName_; }

 private:
  void printWithDialog();
  void setUpPrinter();
  void tell(const QString& text) const;
  void failed(const std::string& reason) const;

  const TraceStore& store_;
  const ScopeController& scope_;
  const PrintOptions& options_;
  QWidget* parent_;
  MessageSink messages_;
  PrinterAccess access_;
  std::function<void()> printerSetup_;
  FileNameQuestion askPdfFile_;
  QString currentPrinter_;
  QString printerName_;
};

}  // namespace kelvor
