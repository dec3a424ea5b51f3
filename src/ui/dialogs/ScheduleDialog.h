// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/record/RecordingSchedule.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kelvor {

// "Datei → Aufzeichnung planen…": when the next recordings start (at once, at a time of day,
// when a condition on the shown channel holds, with the readings of the seconds before it)
// and when they stop (never, after a duration, at a time of day, when a condition holds). OK
// takes the rules only when they are all well formed; otherwise the dialog names the wrong
// value and stays, and the caller's schedule is untouched.
class ScheduleDialog : public QDialog {
  Q_OBJECT

 public:
  ScheduleDialog(RecordingSchedule& schedule, QWidget* parent = nullptr);

  QComboBox* startList = nullptr;
  QLineEdit* startField = nullptr;
  QLineEdit* preTriggerField = nullptr;  // seconds
  QComboBox* stopList = nullptr;
  QLineEdit* stopField = nullptr;
  QLabel* problemLabel = nullptr;

  void onOkClicked();

 private:
  // A value field only where its rule takes one; the pre-trigger with a condition's start.
  void enableFields();
  RecordingSchedule edited() const;

  RecordingSchedule& schedule_;
};

}  // namespace kelvor
