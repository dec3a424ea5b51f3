// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QHBoxLayout;
class QLabel;
class QPushButton;
class QString;
class QWidget;

namespace kelvor {

// The foot of a dialog that checks its input on OK: the hidden line that names a problem and
// the row of OK (the default button) and Cancel at the right, with their object names.
struct ConfirmButtons {
  // Creates them in `dialog` with the captions given (translated in the dialog's context).
  static ConfirmButtons build(QWidget* dialog, const QString& ok, const QString& cancel);

  QLabel* problem = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QHBoxLayout* row = nullptr;
};

}  // namespace kelvor
