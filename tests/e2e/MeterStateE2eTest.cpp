// SPDX-License-Identifier: GPL-3.0-or-later
// The window title and the reading display tell the reading, an alarm and a port that is not
// open; kelvor-record's console tells a silent, lost and returning meter at the same poll as the
// window's title. A server away is NetworkE2e's.
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <cstdlib>
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

// The window (COM1) and kelvor-record (COM2), each on its own simulator playing the same
// script: two answers, then silence; then both simulators die (unplugged) and come back.
TEST(MeterStateE2e, WindowAndRecorderTellASilentLostAndReturningMeterAtTheSamePoll) {
  TestHome home;
  const QString script = home.writeFile("fading.txt", "DC  1.000 V  \nDC  1.000 V  \nsilent\n");
  std::unique_ptr<MeterSim> sims[2];
  const auto plug = [&](const QStringList& answers) {
    for (int i = 0; i < 2; ++i) {
      sims[i] =
          std::make_unique<MeterSim>(home, QStringList{"--port", QString::number(i + 1)} + answers);
      ASSERT_TRUE(sims[i]->ready());
    }
  };
  plug({"--script", script});
  KelvorApp app(home);
  RecordProcess recorder(home, {"--port", "COM2", "--output", home.file("r.csv")});
  ASSERT_TRUE(app.connected());
  QString console;
  // Polls each simulator had received when its program told the state, or -1 when not told.
  struct Told {
    qint64 atMs[2] = {-1, -1};
    int polls[2] = {-1, -1};
  };
  const auto told = [&](const QString& title, const QString& line) {
    Told seen;
    QElapsedTimer clock;
    clock.start();
    waitUntil(
        [&] {
          console += QString::fromUtf8(recorder.process.readAllStandardError());
          const bool now[2] = {app.text("frmMain") == title, console.contains(line)};
          for (int i = 0; i < 2; ++i) {
            if (seen.atMs[i] >= 0 || !now[i]) continue;
            seen.atMs[i] = clock.elapsed();
            seen.polls[i] = sims[i] ? static_cast<int>(sims[i]->polls().size()) : 0;
          }
          return seen.atMs[0] >= 0 && seen.atMs[1] >= 0;
        },
        20s);
    console.clear();
    return seen;
  };
  // The sixth silent poll finds five unanswered before it; one poll either way for the time it
  // takes to see it.
  const Told silent = told("Kelvor – COM1: keine Antwort", "COM2: no answer\n");
  EXPECT_GE(silent.polls[0], 7);
  EXPECT_LE(std::abs(silent.polls[0] - silent.polls[1]), 1) << console.toStdString();
  // Unplugged: each link left dangling where no other pseudo-terminal can turn up.
  for (int i = 0; i < 2; ++i) {
    sims[i]->stop(true);
    sims[i].reset();
    const QString link = home.file(QStringLiteral("Kelvor/ports/COM%1").arg(i + 1));
    ASSERT_TRUE(QFile::remove(link) && QFile::link(home.file(QStringLiteral("gone")), link));
  }
  const Told lost =
      told("Kelvor – COM1: getrennt, neuer Versuch", "COM2: disconnected, retrying\n");
  EXPECT_TRUE(lost.atMs[0] >= 0 && lost.atMs[1] >= 0 &&
              std::abs(lost.atMs[0] - lost.atMs[1]) <= 2000)
      << lost.atMs[0] << " " << lost.atMs[1];
  plug({"--values", "const:2"});
  const Told back = told("Kelvor – COM1", "COM2: answering again\n");
  EXPECT_TRUE(back.polls[0] >= 0 && back.polls[1] >= 0 &&
              std::abs(back.polls[0] - back.polls[1]) <= 1)
      << back.polls[0] << " " << back.polls[1];
  ::kill(static_cast<pid_t>(recorder.process.processId()), SIGTERM);
  EXPECT_EQ(recorder.status(), 0);
}

}  // namespace
}  // namespace kelvor::e2e
