// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/AlarmPanel.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

#include "core/alarm/AlarmCondition.h"
#include "ui/mainwindow/AlarmControls.h"

namespace kelvor {

AlarmPanel::AlarmPanel(const AlarmControls& controls, AlarmRule& rule, QObject* parent)
    : QObject(parent), alarmField_(controls.alarmField), alarmBox_(controls.alarmBox), rule_(rule) {
  rule_.setArmed(alarmBox_->isChecked());
  connect(alarmBox_, &QCheckBox::toggled, this, [this](bool on) { rule_.setArmed(on); });
  connect(alarmField_, &QLineEdit::textChanged, this, [this] { applyAlarmText(); });
  alarmField_->installEventFilter(this);
}

void AlarmPanel::applyAlarmText() {
  // An unusable condition only switches the alarm off; the last threshold stays.
  if (!rule_.apply(kelvor::parseAlarmCondition(alarmField_->text().toStdString())))
    alarmBox_->setChecked(false);
}

bool AlarmPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == alarmField_ && event->type() == QEvent::FocusIn)
    onAlarmFieldFocused(static_cast<QFocusEvent*>(event)->reason());
  return QObject::eventFilter(watched, event);
}

void AlarmPanel::onAlarmFieldFocused(Qt::FocusReason reason) {
  switch (reason) {
    case Qt::MouseFocusReason:
      // The click itself places the caret, after this event.
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
      // The box had the focus already before the window or a menu took it away: the user's
      // caret and selection stay as they were.
      return;
    default:
      // Tab, Shift+Tab, an access key or a focus set by the program. The selection is made
      // before the box handles the event itself, which keeps an existing selection.
      alarmField_->selectAll();
  }
}

}  // namespace kelvor
