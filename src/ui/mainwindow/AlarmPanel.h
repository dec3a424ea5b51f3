#pragma once

#include <QObject>

#include "core/Clock.h"
#include "core/alarm/AlarmRule.h"
#include "core/alarm/AlarmSound.h"
#include "core/scope/RecordingState.h"

class QCheckBox;
class QEvent;
class QLabel;
class QLineEdit;

namespace kelvor {

struct MainControls;

// The alarm controls of the main window: the condition box txtAlarm, the check box chkAlarm
// that switches the alarm on and the label lblAbbr that shows the first alarm time.
// Every change of the condition text parses it at once; an unusable condition switches the
// alarm off, a usable one never switches it on. Focusing the condition box from the
// keyboard selects its text for overtyping; a click keeps the caret where it was clicked.
class AlarmPanel : public QObject {
 public:
  AlarmPanel(const MainControls& controls, const RecordingState& recording, const Clock& clock,
             AlarmSound& sound, QObject* parent = nullptr);

  // Parses the condition text (start-up calls it once; every text change runs it).
  void GetAlarm();
  // A usable reading, recording or not: sounds and records the alarm time when it meets the
  // condition while the alarm is on.
  void testAlarm(float value);

  // Threshold and direction of the last usable condition (0, below before the first one).
  float AlarmLevel() const { return rule_.AlarmLevel(); }
  bool AlarmAbove() const { return rule_.AlarmAbove(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TextBoxGotFocus(Qt::FocusReason reason);

  QLineEdit* txtAlarm_;
  QCheckBox* chkAlarm_;
  QLabel* lblAbbr_;
  const RecordingState& recording_;
  const Clock& clock_;
  AlarmRule rule_;
};

}  // namespace kelvor
