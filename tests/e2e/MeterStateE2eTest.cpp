// SPDX-License-Identifier: GPL-3.0-or-later
// The window title and the reading display tell a live meter from a silent or missing one.
#include <QDir>
#include <QFile>
#include <memory>

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

// A meter falls silent for ten polls: "no answer" after five of them, the last value dimmed.
TEST(MeterStateE2e, ASilentMeterIsShownAsNotAnsweringUntilItAnswersAgain) {
  TestHome home;
  const QString script = home.writeFile(
      "answers.txt", "DC  1.000 V  \n" + QByteArray("silent\n").repeated(10) + "DC  2.000 V  \n");
  MeterSim sim(home, {"--port", "1", "--script", script});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(waitUntil([&] { return app.text("lblVal") == "1,000 V"; }, 10s));
  EXPECT_TRUE(shows(app, "Kelvor – COM1: keine Antwort", "1,000 V", Dimmed, 7s));
  EXPECT_TRUE(shows(app, "Kelvor – COM1", "2,000 V", Live, 10s));
}

// The simulator goes away with its port and comes back under the same port number.
TEST(MeterStateE2e, AnUnpluggedMeterIsRetriedAndLiveAgainAfterReplug) {
  TestHome home;
  auto sim = std::make_unique<MeterSim>(home, QStringList{"--port", "3", "--values", "const:3"});
  ASSERT_TRUE(sim->ready());
  home.writeSettings({{"Port", "3"}});
  KelvorApp app(home, QStringLiteral("en_US.UTF-8"));
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(shows(app, "Kelvor – COM3", "3.000 V", Live, 10s));
  sim->stop(false);
  EXPECT_TRUE(shows(app, "Kelvor – COM3: disconnected, retrying", "3.000 V", Dimmed, 5s));
  sim = std::make_unique<MeterSim>(home, QStringList{"--port", "3", "--values", "const:4"});
  ASSERT_TRUE(sim->ready());
  EXPECT_TRUE(shows(app, "Kelvor – COM3", "4.000 V", Live, 5s));
}

// Without a sound the alarm is seen: red digits and the title, for as long as it holds.
TEST(MeterStateE2e, AnArmedAlarmTurnsTheDisplayRedAndNamesItInTheTitle) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "const:1,1,1,0.5,0.5,0.5"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(waitUntil([&] { return app.text("lblVal") == "1,000 V"; }, 10s));
  ASSERT_TRUE(app.ok(QStringLiteral("click chkAlarm")));  // "< 0,8"
  EXPECT_TRUE(shows(app, "Kelvor – COM1: Alarm", "0,500 V", QStringLiteral("#ff0000"), 8s));
  EXPECT_TRUE(shows(app, "Kelvor – COM1", "1,000 V", Live, 8s));
}

TEST(MeterStateE2e, AMissingPortIsNotOpen) {
  TestHome home;
  home.writeSettings({{"Port", "5"}});
  ASSERT_TRUE(QDir().mkpath(home.file(QStringLiteral("Kelvor/ports"))));
  ASSERT_TRUE(QFile::link(home.file("gone"), home.file(QStringLiteral("Kelvor/ports/COM5"))));
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  const QString message = app.awaitModal();
  EXPECT_TRUE(message.startsWith("Kelvor|Error 2 opening COM5") &&
              message.endsWith("\nDen Port unter Datei → COM-Port wählen."))
      << message.toStdString();
  ASSERT_TRUE(app.dismiss());
  EXPECT_TRUE(shows(app, "Kelvor – COM5: nicht geöffnet", "0,000", Dimmed, 5s));
}

}  // namespace
}  // namespace kelvor::e2e
