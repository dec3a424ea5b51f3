// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

#include "core/printing/PrintOptions.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPixmap;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace kelvor {

class PrinterChoice;

// The printer dialog: lists the installed printers and, last, the PDF file (the choice when
// there is no printer), makes the chosen one current while it is open, shows its driver, port and
// orientation, opens the printer's settings dialog and sets PrintColored. "Abbrechen" and the close
// box bring back the printer that was current at opening and leave PrintColored; "OK" keeps the
// chosen printer and sets PrintColored.
class PrinterDialog : public QDialog {
  Q_OBJECT

 public:
  // Loads the dialog from the current printer and PrintColored and centres it over
  // `reference` (the main window; the screen when there is none).
  PrinterDialog(PrintOptions& options, PrinterChoice& choice, QWidget* reference = nullptr);

  // The printer's settings dialog, shown for `printer` with `owner` as its parent; true when
  // the user accepted it, and `printer` then holds the page set-up chosen.
  using PropertiesDialog = std::function<bool(QPrinter& printer, QWidget* owner)>;
  // Qt's page set-up dialog (paper, orientation, margins); replaceable.
  PropertiesDialog showProperties;
  static bool pageSetupDialog(QPrinter& printer, QWidget* owner);

  // The 32 x 32 pictures of a page with a large grey letter A: upright for index 0 (portrait),
  // on its side for index 1 (landscape).
  static QPixmap orientationPicture(int index);

  QGroupBox* printerGroup = nullptr;
  QComboBox* printerList = nullptr;
  std::array<QLabel*, 3> fieldCaptions{};
  QLabel* printerTypeLabel = nullptr;
  QLabel* printerPortLabel = nullptr;
  QPushButton* printerSettingsButton = nullptr;
  std::array<QRadioButton*, 2> channelButtons{};
  std::array<QRadioButton*, 2> orientationButtons{};
  QLabel* imgOrientation = nullptr;
  std::array<QLabel*, 2> imgOri{};
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

  // Driver, port and orientation of the current printer.
  void refreshInfos();

  void onPrinterChosen();
  void onOrientationChosen(int index);
  void onPrinterSettingsClicked();
  void onOkClicked();
  void onCancelClicked();

  // Every closing (OK, Abbrechen, Escape, the close box) ends here: the printer named
  // SavedPrinter becomes current again.
  void done(int result) override;

 private:
  void buildControls();
  void buildPrinterGroup();
  void fillIn(QWidget* reference);
  void restoreChoice();
  int pdfItem() const;
  void choose(const QString& printer, bool pdfFile);

  PrintOptions& options_;
  PrinterChoice& choice_;
  QWidget* owner_ = nullptr;
  // The printer choice at opening, restored by every closing but "OK"; "OK" puts the chosen
  // printer here. Empty: the system's default printer.
  QString SavedPrinter;
  bool SavedPdfFile = false;  // the PDF file instead of a printer
};

}  // namespace kelvor
