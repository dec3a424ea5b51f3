// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/AlarmPanel.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <tuple>

#include "support/FakeClock.h"
#include "ui/mainwindow/MainControls.h"

namespace kelvor {
namespace {

struct CountingSound : AlarmSound {
  void beeps(int) override { ++calls; }
  int calls = 0;
};

struct AlarmPanelTest : ::testing::Test {
  QMainWindow window;
  MainControls controls = MainControls::build(&window);
  Recording recording;
  CountingSound sound;
  AlarmRule rule{sound};
  AlarmPanel panel{controls.alarm, rule};
};

// Every text change parses the condition: an unusable one switches the alarm off, a usable
// one never switches it on. Each row starts from the state the one before left; a reading
// that meets the condition beeps only while the alarm is on.
TEST_F(AlarmPanelTest, EveryTextChangeParsesTheCondition) {
  // Text, checked before and after, condition then (above, level).
  using Row = std::tuple<const char*, bool, bool, bool, float>;
  for (const auto& [text, checkedBefore, checkedAfter, above, level] :
       {Row{"> 5", true, true, true, 5.0f}, Row{"abc", true, false, true, 5.0f},
        Row{"< 2,5", false, false, false, 2.5f}, Row{"", true, false, false, 2.5f},
        Row{">= 1e300", true, false, false, 2.5f}, Row{"  >  1.5 V  ", true, true, true, 1.5f}}) {
    controls.alarm.alarmBox->setChecked(checkedBefore);
    controls.alarm.alarmField->setText(QString::fromUtf8(text));
    EXPECT_EQ(
        std::tuple(controls.alarm.alarmBox->isChecked(), rule.alarmAbove(), rule.alarmLevel()),
        std::tuple(checkedAfter, above, level))
        << text;
    rule.testAlarm(above ? 1e6f : -1e6f, testing::FakeClock(1), recording);
  }
  EXPECT_EQ(sound.calls, 2);
}

// Focus from the keyboard or the program selects the whole condition for overtyping; a
// click, a return to the window or a closed menu keeps the caret where it was.
TEST_F(AlarmPanelTest, FocusSelectsTheConditionOnlyFromTheKeyboard) {
  const std::pair<Qt::FocusReason, bool> reasons[] = {
      {Qt::TabFocusReason, true},           {Qt::ShortcutFocusReason, true},
      {Qt::OtherFocusReason, true},         {Qt::MouseFocusReason, false},
      {Qt::ActiveWindowFocusReason, false}, {Qt::PopupFocusReason, false}};
  for (const auto& [reason, selects] : reasons) {
    SCOPED_TRACE(reason);
    controls.alarm.alarmField->setCursorPosition(2);
    QFocusEvent focusIn(QEvent::FocusIn, reason);
    QApplication::sendEvent(controls.alarm.alarmField, &focusIn);
    EXPECT_EQ(std::pair(controls.alarm.alarmField->hasSelectedText(),
                        controls.alarm.alarmField->cursorPosition()),
              std::pair(selects, selects ? 5 : 2));
  }
}

}  // namespace
}  // namespace kelvor
