// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QPageLayout>
#include <QString>
#include <optional>

class QPrinter;

namespace kelvor {

// The current printer of the program: the one that printing draws on and that the printer
// dialog shows and changes. At start-up it is the system's default printer. The page set-up
// made through a printer's settings dialog is kept here for the rest of the run, so the next
// print and the next opening of the dialog use it.
// The orientation a printer prints in; Unknown for a printer that cannot be asked.
enum class PageOrientation { Unknown, Portrait, Landscape };

class PrinterChoice {
 public:
  // The chosen printer's name; empty means the system's default printer.
  const QString& name() const { return name_; }
  void setName(const QString& name) {
    name_ = name;
    pdfFile_ = false;
  }
  // "PDF file": printing writes the page into a PDF file. It is the choice when the system
  // has no printer at all.
  void choosePdfFile() {
    name_.clear();
    pdfFile_ = true;
  }
  bool pdfFile() const;
  // What messages call the current printer: its name, or "PDF-Datei" / "PDF file".
  QString shownName() const;

  // The name of the printer that printing uses now: the chosen one, or the system's default
  // printer when none is chosen (the first printer when the system names no default; empty
  // when there is no printer at all).
  QString deviceName() const;

  // The orientation the current printer prints in: the page set-up made in this run, else
  // the printer's own default.
  PageOrientation orientation() const;

  // The page set-up made through a printer's settings dialog in this run (the PDF file's
  // under the empty name).
  void setPageLayout(const QString& printer, const QPageLayout& layout);
  std::optional<QPageLayout> pageLayout(const QString& printer) const;

  // Points `printer` at the current printer and gives it that printer's orientation (or the
  // page set-up made in this run); for a PDF file, makes it write PDF with the page set-up
  // made in this run, the file name left to the caller. False, leaving `printer` as it was,
  // when there is no such printer.
  bool setUp(QPrinter& printer) const;

 private:
  QString name_;
  bool pdfFile_ = false;
  QHash<QString, QPageLayout> layouts_;
};

}  // namespace kelvor
