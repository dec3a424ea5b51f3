// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/ChannelsDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/calc/ChannelBindingCheck.h"
#include "platform/MessageTexts.h"
#include "ui/common/ObjectNames.h"
#include "ui/common/WindowTools.h"
#include "ui/dialogs/ChannelRow.h"
#include "ui/dialogs/ConfirmButtons.h"

namespace kelvor {

ChannelsDialog::ChannelsDialog(std::vector<ChannelBinding>& bindings,
                               const std::vector<PresentPort>& ports, QWidget* reference)
    : QDialog(reference), bindings_(bindings) {
  setObjectName(QLatin1String(ObjectNames::frmChannels));
  setWindowTitle(tr("Kanäle"));
  buildControls(ports);
  adjustSize();
  WindowTools::centreWindow(this, reference);
}

void ChannelsDialog::buildControls(const std::vector<PresentPort>& ports) {
  auto* grid = new QGridLayout;
  const char* const heads[] = {QT_TR_NOOP("Kanal"),     QT_TR_NOOP("Quelle"),
                               QT_TR_NOOP("Anschluss"), QT_TR_NOOP("Messgerät"),
                               QT_TR_NOOP("Baudrate"),  QT_TR_NOOP("Berechnung")};
  for (int column = 0; column < ChannelRow::ColumnCount; ++column) {
    auto* head = new QLabel(tr(heads[column]), this);
    head->setObjectName(ObjectNames::numberedName(ObjectNames::lblColumn, column + 1));
    grid->addWidget(head, 0, column);
  }
  for (int channel = 1; channel <= ChannelCount; ++channel) {
    const auto index = static_cast<std::size_t>(channel - 1);
    const ChannelBinding binding = index < bindings_.size() ? bindings_[index] : ChannelBinding();
    rows.push_back(new ChannelRow(channel, binding, ports, grid, this));
  }

  calcHintLabel =
      new QLabel(tr("Berechnung aus den Kanälen nach ihrer Nummer: W=1*2 Produkt, R=1/2 Quotient, "
                    "dU=1-2 Differenz, Ah=int(2) Integral über die Zeit in Stunden"),
                 this);
  calcHintLabel->setObjectName(QLatin1String(ObjectNames::lblCalcHint));
  const ConfirmButtons confirm = ConfirmButtons::build(this, tr("OK"), tr("Abbrechen"));
  problemLabel = confirm.problem;
  okButton = confirm.ok;
  cancelButton = confirm.cancel;
  connect(okButton, &QPushButton::clicked, this, &ChannelsDialog::onOkClicked);
  connect(cancelButton, &QPushButton::clicked, this, &ChannelsDialog::onCancelClicked);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(calcHintLabel);
  layout->addWidget(problemLabel);
  layout->addLayout(confirm.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString ChannelsDialog::problemText(const BindingProblem& problem) {
  if (problem.calculation)
    return tr("Kanal %1: %2")
        .arg(problem.channel)
        .arg(QString::fromStdString(messageText(*problem.calculation)));
  return tr("Kanal %1: Dieses Messgerät speist schon Kanal %2; ein Messgerät speist einen Kanal.")
      .arg(problem.channel)
      .arg(problem.sameMeterAs);
}

void ChannelsDialog::onOkClicked() {
  std::vector<ChannelBinding> edited;
  for (const ChannelRow* row : rows) edited.push_back(row->binding());
  if (const BindingProblem problem = checkBindings(edited); problem.channel != 0) {
    problemLabel->setText(problemText(problem));
    problemLabel->show();
    rows[static_cast<std::size_t>(problem.channel - 1)]->focusSource();
    return;
  }
  bindings_ = edited;
  accept();
}

void ChannelsDialog::onCancelClicked() {
  reject();
}

}  // namespace kelvor
