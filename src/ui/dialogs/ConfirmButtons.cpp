// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/ConfirmButtons.h"

#include "ui/common/ObjectNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>

namespace kelvor {

ConfirmButtons ConfirmButtons::build(QWidget* dialog, const QString& ok, const QString& cancel) {
  ConfirmButtons buttons;
  buttons.problem = new QLabel(dialog);
  buttons.problem->setObjectName(QLatin1String(ObjectNames::lblProblem));
  buttons.problem->setWordWrap(true);
  buttons.problem->hide();

  buttons.ok = new QPushButton(ok, dialog);
  buttons.ok->setObjectName(QLatin1String(ObjectNames::cmdOK));
  buttons.ok->setDefault(true);
  buttons.cancel = new QPushButton(cancel, dialog);
  buttons.cancel->setObjectName(QLatin1String(ObjectNames::cmdCancel));

  buttons.row = new QHBoxLayout;
  buttons.row->addStretch();
  buttons.row->addWidget(buttons.ok);
  buttons.row->addWidget(buttons.cancel);
  return buttons;
}

}  // namespace kelvor
