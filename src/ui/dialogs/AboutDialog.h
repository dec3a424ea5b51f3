// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/settings/ProgramVersion.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace kelvor {

// The about box: name, version and build of the program and the project's contact lines;
// the licence; the home page address can be copied to the clipboard.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* ProductName = "Kelvor";
  static constexpr const char* HomePage = "https://kelvor.example.org";
  // The program is free software under the GPL, version 3 or later; this is its home page.
  static constexpr const char* LicencePage = "https://www.gnu.org/licenses/gpl-3.0.html";

  explicit AboutDialog(QWidget* parent = nullptr,
                       const ProgramVersion& version = ProgramVersion::current());

  // The version this program was built as (the project's version in CMake).

  QLabel* appLabel = nullptr;
  QLabel* buildLabel = nullptr;
  QLabel* licenceLabel = nullptr;
  QGroupBox* frameDev = nullptr;
  QLabel* homePage = nullptr;  // object name "Label1(0)"
  QLabel* maker = nullptr;     // object name "Label1(1)"
  QPushButton* copyHomeButton = nullptr;
  QPushButton* okButton = nullptr;

  // Puts the home page address on the clipboard as plain text.
  void onCopyHomeClicked();

 private:
  void buildControls();
};

}  // namespace kelvor
