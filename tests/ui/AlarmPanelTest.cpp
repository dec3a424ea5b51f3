#include "ui/AlarmPanel.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/scope/Recorder.h"
#include "support/FakeClock.h"
#include "ui/MainControls.h"

// Readable failure messages for Qt texts.
static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kelvor {
namespace {

constexpr LocalSeconds Day = 86400;
// 2026-12-06 14:03:09 local time.
constexpr LocalSeconds Afternoon = 20793 * Day + 14 * 3600 + 3 * 60 + 9;

class CountingSound : public AlarmSound {
 public:
  void beeps(int) override { ++calls; }
  int calls = 0;
};

class AlarmPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    controls = MainControls::build(&window);
    controls.lblAbbr->setText(QString::fromLatin1(Recorder::NoTime));
    panel = std::make_unique<AlarmPanel>(controls, recording, clock, sound);
    panel->GetAlarm();
  }

  // Shows the window and makes it the active one, so focus changes happen as for a user.
  void activate() {
    window.show();
    window.activateWindow();
    QDeadlineTimer deadline(5000);
    while (QApplication::activeWindow() != &window && !deadline.hasExpired())
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(QApplication::activeWindow(), &window);
  }

  void key(QWidget* target, int code, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
  }

  void click(QWidget* target, QPoint at) {
    const QPointF global = target->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
  }

  std::string alarmTime() const { return controls.lblAbbr->text().toStdString(); }

  QMainWindow window;
  MainControls controls;
  RecordingState recording;
  testing::FakeClock clock{Afternoon};
  CountingSound sound;
  std::unique_ptr<AlarmPanel> panel;
};

TEST_F(AlarmPanelTest, StartsWithTheDesignConditionAndTheAlarmOff) {
  EXPECT_EQ(controls.txtAlarm->text(), QStringLiteral("< 0,8"));
  EXPECT_FALSE(controls.chkAlarm->isChecked());
  EXPECT_FALSE(panel->AlarmAbove());
  EXPECT_FLOAT_EQ(panel->AlarmLevel(), 0.8f);
}

TEST_F(AlarmPanelTest, EveryTextChangeParsesTheCondition) {
  struct Case {
    const char* text;
    bool checkedBefore;
    bool checkedAfter;
    bool above;
    float level;
  };
  // Each row starts from the state the one before left.
  const std::vector<Case> cases = {
      {"> 5", true, true, true, 5.0f},
      {"abc", true, false, true, 5.0f},      // off; the threshold stays
      {"< 2,5", false, false, false, 2.5f},  // a usable condition does not switch it on
      {"", true, false, false, 2.5f},
      {">= 1e300", true, false, false, 2.5f},
      {"  >  1.5 V  ", true, true, true, 1.5f},
      {"=> 1", true, false, true, 1.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    controls.chkAlarm->setChecked(c.checkedBefore);
    controls.txtAlarm->setText(QString::fromUtf8(c.text));
    EXPECT_EQ(controls.chkAlarm->isChecked(), c.checkedAfter);
    EXPECT_EQ(panel->AlarmAbove(), c.above);
    EXPECT_FLOAT_EQ(panel->AlarmLevel(), c.level);
  }
}

// Changing "< 0,8" into "< 0,9" by deleting the digits: on the way the text has no digit,
// which switches the alarm off; the new threshold counts, but the user must switch it on.
TEST_F(AlarmPanelTest, EditingThroughATextWithoutDigitsSwitchesTheAlarmOff) {
  struct Keystroke {
    int key;
    const char* typed;
    const char* text;
    bool checked;
    float level;
  };
  const std::vector<Keystroke> keystrokes = {
      {Qt::Key_Backspace, "", "< 0,", true, 0.0f}, {Qt::Key_Backspace, "", "< 0", true, 0.0f},
      {Qt::Key_Backspace, "", "< ", false, 0.0f},  {Qt::Key_0, "0", "< 0", false, 0.0f},
      {Qt::Key_Comma, ",", "< 0,", false, 0.0f},   {Qt::Key_9, "9", "< 0,9", false, 0.9f},
  };
  controls.chkAlarm->setChecked(true);
  controls.txtAlarm->end(false);
  for (const Keystroke& k : keystrokes) {
    SCOPED_TRACE(k.text);
    key(controls.txtAlarm, k.key, QString::fromLatin1(k.typed));
    ASSERT_EQ(controls.txtAlarm->text(), QString::fromLatin1(k.text));
    EXPECT_EQ(controls.chkAlarm->isChecked(), k.checked);
    EXPECT_FALSE(panel->AlarmAbove());
    EXPECT_FLOAT_EQ(panel->AlarmLevel(), k.level);
  }

  panel->testAlarm(0.85f);
  EXPECT_EQ(sound.calls, 0);
  controls.chkAlarm->setChecked(true);
  panel->testAlarm(0.85f);
  EXPECT_EQ(sound.calls, 1);
}

TEST_F(AlarmPanelTest, RecordsTheFirstAlarmOfARecording) {
  struct Reading {
    LocalSeconds afterStart;
    float value;
    int beeps;
    std::string shown;
  };
  const std::vector<Reading> readings = {
      {316, 0.8f, 0, Recorder::NoTime}, {317, 0.79f, 1, "00:05:17"},
      {318, 0.0f, 1, "00:05:17"},       {319, 0.5f, 2, "00:05:17"},
      {320, 0.9f, 2, "00:05:17"},       {3 * 3600, 0.1f, 3, "00:05:17"},
  };
  recording.StartTime = Afternoon;
  controls.chkAlarm->setChecked(true);
  for (const Reading& r : readings) {
    SCOPED_TRACE(r.afterStart);
    clock.set(Afternoon + r.afterStart);
    panel->testAlarm(r.value);
    EXPECT_EQ(sound.calls, r.beeps);
    EXPECT_EQ(alarmTime(), r.shown);
  }

  // Switched off: silent, and the time stays.
  controls.chkAlarm->setChecked(false);
  panel->testAlarm(0.1f);
  EXPECT_EQ(sound.calls, 3);
  EXPECT_EQ(alarmTime(), "00:05:17");
}

TEST_F(AlarmPanelTest, AfterAResetTheAlarmShowsTheTimeOfDay) {
  recording.StartTime = 0;
  controls.chkAlarm->setChecked(true);
  panel->testAlarm(0.5f);
  EXPECT_EQ(sound.calls, 1);
  EXPECT_EQ(alarmTime(), "14:03:09");
}

TEST_F(AlarmPanelTest, KeyboardFocusSelectsTheWholeCondition) {
  activate();
  const std::vector<Qt::FocusReason> reasons = {Qt::TabFocusReason, Qt::BacktabFocusReason,
                                                Qt::ShortcutFocusReason, Qt::OtherFocusReason};
  for (Qt::FocusReason reason : reasons) {
    SCOPED_TRACE(reason);
    controls.chkActive->setFocus(Qt::OtherFocusReason);
    controls.txtAlarm->setCursorPosition(2);
    ASSERT_FALSE(controls.txtAlarm->hasSelectedText());
    controls.txtAlarm->setFocus(reason);
    ASSERT_TRUE(controls.txtAlarm->hasFocus());
    EXPECT_EQ(controls.txtAlarm->selectedText(), QStringLiteral("< 0,8"));
  }
}

TEST_F(AlarmPanelTest, TabFromTheCheckBoxSelectsTheWholeCondition) {
  activate();
  controls.chkAlarm->setFocus(Qt::OtherFocusReason);
  controls.txtAlarm->setText(QStringLiteral("> 12,5 V"));
  controls.txtAlarm->setCursorPosition(3);
  key(controls.chkAlarm, Qt::Key_Tab);
  ASSERT_TRUE(controls.txtAlarm->hasFocus());
  EXPECT_EQ(controls.txtAlarm->selectedText(), QStringLiteral("> 12,5 V"));
}

TEST_F(AlarmPanelTest, AClickKeepsTheCaretWhereTheUserClicked) {
  activate();
  QLineEdit* box = controls.txtAlarm;
  // A point inside the box that puts the caret between "0" and ",".
  const int middle = box->height() / 2;
  int x = 0;
  while (x < box->width() && box->cursorPositionAt(QPoint(x, middle)) < 3) ++x;
  ASSERT_LT(x, box->width());
  ASSERT_EQ(box->cursorPositionAt(QPoint(x, middle)), 3);

  controls.chkActive->setFocus(Qt::OtherFocusReason);
  ASSERT_FALSE(box->hasFocus());
  // What the toolkit does with a real click: focus with the mouse as reason, then the press
  // (events sent from code are not spontaneous and give no focus by themselves).
  box->setFocus(Qt::MouseFocusReason);
  click(box, QPoint(x, middle));
  ASSERT_TRUE(box->hasFocus());
  QApplication::processEvents();
  EXPECT_FALSE(box->hasSelectedText());
  EXPECT_EQ(box->cursorPosition(), 3);
}

// Returning to the window or leaving a menu gives the box its focus back as the user left it.
TEST_F(AlarmPanelTest, RegainedFocusKeepsTheCaret) {
  activate();
  for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    SCOPED_TRACE(reason);
    controls.txtAlarm->setCursorPosition(2);
    QFocusEvent focusIn(QEvent::FocusIn, reason);
    QApplication::sendEvent(controls.txtAlarm, &focusIn);
    EXPECT_FALSE(controls.txtAlarm->hasSelectedText());
    EXPECT_EQ(controls.txtAlarm->cursorPosition(), 2);
  }
}

}  // namespace
}  // namespace kelvor
