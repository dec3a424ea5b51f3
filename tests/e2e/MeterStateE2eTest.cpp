// SPDX-License-Identifier: GPL-3.0-or-later
// The window title and the reading display tell the reading, an alarm and a port that is not
// open. A silent or unplugged meter is MeterStateTest's, PollingCycleTest's and StatusTips'; a
// server away, NetworkE2e's.
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

const QString Live = QStringLiteral("#00ff00"), Dimmed = QStringLiteral("#007f00");

// Waits for the title and the value; the value must be drawn in `colour`.
::testing::AssertionResult shows(KelvorApp& app, const QString& title, const QString& value,
                                 const QString& colour, std::chrono::milliseconds timeout) {
  const QString expected = title + "\t" + value;
  if (!waitUntil([&] { return app.text("frmMain lblVal") == expected; }, timeout))
    return ::testing::AssertionFailure() << app.text("frmMain lblVal").toStdString();
  if (app.value("colour lblVal") != colour) return ::testing::AssertionFailure() << "colour";
  return ::testing::AssertionSuccess();
}

// Without a sound the alarm is seen: red digits and the title, for as long as it holds.
TEST(MeterStateE2e, AnArmedAlarmTurnsTheDisplayRedAndNamesItInTheTitle) {
  TestHome home;
  home.writeSettings({{"Device", "1"}});  // four frames, more than one read takes: the first shown
  MeterSim sim(home, {"--port", "1", "--meter", "four", "--values", "const:1,1,1,0.5,0.5,0.5"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(waitUntil([&] { return app.text("lblVal lblACDC") == "1,000 V\tDC"; }, 10s));
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(app.text("lblAkt")).hasMatch());
  ASSERT_TRUE(app.ok(QStringLiteral("click chkAlarm")));  // "< 0,8"
  EXPECT_TRUE(shows(app, "Kelvor – COM1: Alarm", "0,500 V", QStringLiteral("#ff0000"), 8s));
  EXPECT_TRUE(shows(app, "Kelvor – COM1", "1,000 V", Live, 8s));
}

// A port that leads to something other than a terminal: the open error with its hint, once;
// the program runs on without polling and never writes to what the link leads to.
TEST(MeterStateE2e, AnUnusablePortIsToldOnceAndNotOpen) {
  TestHome home;
  const QString notes = home.writeFile("notes.txt", "important notes");
  home.writeSettings({{"Port", "5"}});
  ASSERT_TRUE(QDir().mkpath(home.file(QStringLiteral("Kelvor/ports"))));
  ASSERT_TRUE(QFile::link(notes, home.file(QStringLiteral("Kelvor/ports/COM5"))));
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  const QString message = app.awaitModal();
  EXPECT_TRUE(
      message.startsWith("Kelvor|Error 25 opening COM5\n" + home.file("Kelvor/ports/COM5: ")) &&
      message.endsWith("\nDen Port unter Datei → COM-Port wählen."))
      << message.toStdString();
  ASSERT_TRUE(app.dismiss());
  EXPECT_TRUE(shows(app, "Kelvor – COM5: nicht geöffnet", "0,000", Dimmed, 5s));
  pause(2s);
  EXPECT_TRUE(app.running() && app.modal().isEmpty());
  EXPECT_EQ(contentsOf(notes), QByteArray("important notes"));
}

}  // namespace
}  // namespace kelvor::e2e
