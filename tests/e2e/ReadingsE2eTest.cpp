// SPDX-License-Identifier: GPL-3.0-or-later
// The real recorder against the real meter simulator over a pseudo-terminal. What each frame
// shows is AcquisitionTest's; a hostile meter is RecoveryE2e's.
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <set>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

// The four-display meter answers with four frames, more than one read takes; the first is shown,
// with its mode and the time of day.
TEST(ReadingsE2e, FourFrameMeterShowsItsFirstFrame) {
  TestHome home;
  home.writeSettings({{"Device", "1"}});
  MeterSim sim(home, {"--port", "1", "--meter", "four", "--values", "const:2.5"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal lblACDC") == "2,500 V\tDC"; }, 5s))
      << app.text("lblVal lblACDC").toStdString();
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(app.text("lblAkt")).hasMatch());
}

// A port that leads to something other than a terminal is reported once; the program runs on
// without polling, and never writes to what the link leads to.
TEST(ReadingsE2e, UnusablePortIsReportedAndTheProgramRunsOn) {
  TestHome home;
  const QString notes = home.writeFile("notes.txt", "important notes");
  ASSERT_TRUE(QDir().mkpath(home.file(QStringLiteral("Kelvor/ports"))));
  ASSERT_TRUE(QFile::link(notes, home.file(QStringLiteral("Kelvor/ports/COM1"))));
  KelvorApp app(home, QStringLiteral("en_US.UTF-8"));
  ASSERT_TRUE(app.connected());
  const QString message = app.awaitModal();
  EXPECT_TRUE(message.startsWith("Kelvor|Error 25 opening COM1\n") &&
              message.contains("Kelvor/ports/COM1: Inappropriate ioctl for device"))
      << message.toStdString();
  ASSERT_TRUE(app.ok(QStringLiteral("dismiss")));
  pause(3s);
  EXPECT_TRUE(app.running());
  EXPECT_TRUE(app.modal().isEmpty());
  EXPECT_EQ(contentsOf(notes), QByteArray("important notes"));
}

TEST(ReadingsE2e, RunCommandShowsChangingReadingsWithinThreeSeconds) {
  TestHome home;
  const auto started = std::chrono::steady_clock::now();
  KelvorApp app(home, QStringLiteral("de_DE.UTF-8"),
                QStringLiteral(KELVOR_SOURCE_DIR "/tools/start-with-simulator"),
                {QFileInfo(QStringLiteral(KELVOR_EXE)).absolutePath()});
  ASSERT_TRUE(app.connected());
  std::set<QString> readings;
  waitUntil(
      [&] {
        const QString value = app.text("lblVal");
        if (value != QLatin1String("0,000") && !value.startsWith('<')) readings.insert(value);
        return readings.size() >= 2;
      },
      3s - std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 started));
  EXPECT_GE(readings.size(), 2u) << "readings seen: " << readings.size();
}

}  // namespace
}  // namespace kelvor::e2e
