// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/MeterChoices.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <algorithm>

#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/MeterModels.h"

namespace kelvor::MeterChoices {

void addMeters(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->completer()->setFilterMode(Qt::MatchContains);
  box->completer()->setCompletionMode(QCompleter::PopupCompletion);
  box->completer()->popup()->setMinimumWidth(box->fontMetrics().averageCharWidth() * 32);
  for (const MeterFamily* family : meterFamilies()) {
    // The polled ASCII meters are chosen by the kind options, not from this list.
    if (family->name() == "single" || family->name() == "four") continue;
    const LineSettings line = family->line();
    const QString name =
        QString::fromUtf8(family->name().data(), static_cast<qsizetype>(family->name().size()));
    box->addItem(QStringLiteral("%1 (%2 %3%4%5)")
                     .arg(name)
                     .arg(line.baud)
                     .arg(line.dataBits)
                     .arg(QChar::fromLatin1(parityLetter(line.parity)))
                     .arg(line.stopBits),
                 name);
  }
  for (const MeterModel& model : meterModels())
    box->addItem(QStringLiteral("%1 (%2)").arg(QString::fromStdString(model.title()),
                                               QString::fromLatin1(model.family)),
                 QString::fromStdString(model.id()));
}

std::string chosenMeter(const QComboBox* box) {
  const int typed = box->findText(box->currentText(), Qt::MatchFixedString);
  return typed >= 0 ? box->itemData(typed).toString().toStdString() : std::string();
}

int rateFor(const std::string& meter, int chosen) {
  if (const MeterModel* model = modelNamed(meter)) return model->line.baud;
  if (const MeterFamily* family = familyNamed(meter)) {
    const int usual = family->line().baud;
    if (std::find(Rates.begin(), Rates.end(), usual) == Rates.end()) return usual;
  }
  return chosen;
}

}  // namespace kelvor::MeterChoices
