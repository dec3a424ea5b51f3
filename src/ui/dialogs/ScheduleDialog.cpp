// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/ScheduleDialog.h"

#include <algorithm>

#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/session/PreTriggerBuffer.h"
#include "platform/MessageTexts.h"
#include "ui/common/ObjectNames.h"
#include "ui/dialogs/ConfirmButtons.h"

namespace kelvor {

using ObjectNames::named;

ScheduleDialog::ScheduleDialog(RecordingSchedule& schedule, QWidget* parent)
    : QDialog(parent), schedule_(schedule) {
  setObjectName(QLatin1String(ObjectNames::frmSchedule));
  setWindowTitle(tr("Aufzeichnung planen"));
  startList = named(new QComboBox(this), ObjectNames::cboStart);
  startList->addItems({tr("sofort"), tr("um (HH:MM)"), tr("wenn (< 0,8)")});
  startList->setCurrentIndex(static_cast<int>(schedule.start));
  startField = named(new QLineEdit(QString::fromStdString(schedule.startValue), this),
                     ObjectNames::txtStart);
  preTriggerField =
      named(new QLineEdit(QString::number(schedule.preTriggerS), this), ObjectNames::txtPreTrigger);
  preTriggerField->setValidator(new QIntValidator(0, PreTriggerBuffer::MaxSeconds, this));
  stopList = named(new QComboBox(this), ObjectNames::cboStop);
  stopList->addItems({tr("nie"), tr("nach (10s, 5m, 8h)"), tr("um (HH:MM)"), tr("wenn (> 1,5)")});
  stopList->setCurrentIndex(static_cast<int>(schedule.stop));
  stopField =
      named(new QLineEdit(QString::fromStdString(schedule.stopValue), this), ObjectNames::txtStop);
  const ConfirmButtons confirm = ConfirmButtons::build(this, tr("OK"), tr("Abbrechen"));
  problemLabel = confirm.problem;
  connect(confirm.ok, &QPushButton::clicked, this, &ScheduleDialog::onOkClicked);
  connect(confirm.cancel, &QPushButton::clicked, this, &QDialog::reject);
  for (QComboBox* list : {startList, stopList})
    connect(list, &QComboBox::currentIndexChanged, this, &ScheduleDialog::enableFields);

  auto* form = new QFormLayout;
  form->addRow(tr("&Start:"), startList);
  form->addRow(QString(), startField);
  form->addRow(tr("&Vorlauf (s):"), preTriggerField);
  form->addRow(tr("S&topp:"), stopList);
  form->addRow(QString(), stopField);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(problemLabel);
  layout->addLayout(confirm.row);
  enableFields();
  setMinimumWidth(360);
}

void ScheduleDialog::enableFields() {
  const auto start = static_cast<RecordingSchedule::Start>(startList->currentIndex());
  startField->setEnabled(start != RecordingSchedule::Start::AtOnce);
  preTriggerField->setEnabled(start == RecordingSchedule::Start::When);
  stopField->setEnabled(stopList->currentIndex() !=
                        static_cast<int>(RecordingSchedule::Stop::Never));
}

RecordingSchedule ScheduleDialog::edited() const {
  RecordingSchedule schedule;
  schedule.start = static_cast<RecordingSchedule::Start>(startList->currentIndex());
  schedule.stop = static_cast<RecordingSchedule::Stop>(stopList->currentIndex());
  if (schedule.start != RecordingSchedule::Start::AtOnce)
    schedule.startValue = startField->text().trimmed().toStdString();
  if (schedule.start == RecordingSchedule::Start::When)
    schedule.preTriggerS =
        std::clamp(preTriggerField->text().toInt(), 0, PreTriggerBuffer::MaxSeconds);
  if (schedule.stop != RecordingSchedule::Stop::Never)
    schedule.stopValue = stopField->text().trimmed().toStdString();
  return schedule;
}

void ScheduleDialog::onOkClicked() {
  const RecordingSchedule schedule = edited();
  if (const auto error = schedule.rules().error) {
    problemLabel->setText(QString::fromStdString(messageText(*error)));
    problemLabel->show();
    return;
  }
  schedule_ = schedule;
  accept();
}

}  // namespace kelvor
