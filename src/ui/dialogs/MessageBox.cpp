// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/MessageBox.h"

#include <QMessageBox>

namespace kelvor {

void MessageBox::warning(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(Title), text, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("messageBox"));
  box.exec();
}

}  // namespace kelvor
