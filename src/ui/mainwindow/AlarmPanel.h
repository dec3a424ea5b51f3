// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "core/alarm/AlarmRule.h"

class QCheckBox;
class QEvent;
class QLineEdit;

namespace kelvor {

struct AlarmControls;

// The alarm controls of the main window: the condition box txtAlarm and the check box
// chkAlarm that switches the alarm on. Every change of the condition text parses it at once;
// an unusable condition switches the alarm off, a usable one never switches it on. Focusing
// the condition box from the keyboard selects its text for overtyping; a click keeps the
// caret where it was clicked.
class AlarmPanel : public QObject {
 public:
  AlarmPanel(const AlarmControls& controls, AlarmRule& rule, QObject* parent = nullptr);

  // Parses the condition text (start-up calls it once; every text change runs it).
  void applyAlarmText();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void onAlarmFieldFocused(Qt::FocusReason reason);

  QLineEdit* alarmField_;
  QCheckBox* alarmBox_;
  AlarmRule& rule_;
};

}  // namespace kelvor
