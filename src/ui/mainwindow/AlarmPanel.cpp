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
    : QObject(parent), txtAlarm_(controls.txtAlarm), chkAlarm_(controls.chkAlarm), rule_(rule) {
  rule_.setArmed(chkAlarm_->isChecked());
  connect(chkAlarm_, &QCheckBox::toggled, this, [this](bool on) { rule_.setArmed(on); });
  connect(txtAlarm_, &QLineEdit::textChanged, this, [this] { GetAlarm(); });
  txtAlarm_->installEventFilter(this);
}

void AlarmPanel::GetAlarm() {
  // An unusable condition only switches the alarm off; the last threshold stays.
  if (!rule_.apply(kelvor::GetAlarm(txtAlarm_->text().toStdString()))) chkAlarm_->setChecked(false);
}

bool AlarmPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtAlarm_ && event->type() == QEvent::FocusIn)
    TextBoxGotFocus(static_cast<QFocusEvent*>(event)->reason());
  return QObject::eventFilter(watched, event);
}

void AlarmPanel::TextBoxGotFocus(Qt::FocusReason reason) {
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
      txtAlarm_->selectAll();
  }
}

}  // namespace kelvor
