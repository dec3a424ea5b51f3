// SPDX-License-Identifier: GPL-3.0-or-later
// The window title and the reading display tell the reading, an alarm and a port that is not
// open; kelvor-record's console tells a silent, lost and returning meter at the same poll as the
// window's title. A server away is NetworkE2e's.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <array>
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
  EXPECT_TRUE(app.running() && app.modal().isEmpty() && contentsOf(notes) == "important notes");
}

// The window and kelvor-record, each in its own home on its own simulator playing the same
// script: two answers, then silence; then both simulators die (unplugged) and come back.
TEST(MeterStateE2e, WindowAndRecorderTellASilentLostAndReturningMeterAtTheSamePoll) {
  TestHome homes[2];
  std::unique_ptr<MeterSim> sims[2];
  const auto plug = [&](const QStringList& answers) {
    for (int i = 0; i < 2; ++i) {
      sims[i] = std::make_unique<MeterSim>(homes[i], QStringList{"--port", "1"} + answers);
      ASSERT_TRUE(sims[i]->ready());
    }
  };
  plug({"--script", homes[0].writeFile("fading.txt", "DC  1.000 V  \nDC  1.000 V  \nsilent\n")});
  KelvorApp app(homes[0]);
  RecordProcess recorder(homes[1], {"--port", "COM1", "--output", homes[1].file("r.csv")});
  ASSERT_TRUE(app.connected());
  QString console;
  // For each program: when it told the state (ms from the call) and the polls its simulators
  // (they share a log) had received by then; -1 when it did not.
  const auto told = [&](const QString& title, const QString& line) {
    std::array<std::pair<qint64, int>, 2> seen{{{-1, -1}, {-1, -1}}};
    QElapsedTimer clock;
    clock.start();
    waitUntil(
        [&] {
          console += QString::fromUtf8(recorder.process.readAllStandardError());
          const bool now[2] = {app.text("frmMain") == title, console.contains(line)};
          for (int i = 0; i < 2; ++i)
            if (seen[i].first < 0 && now[i])
              seen[i] = {clock.elapsed(), static_cast<int>(sims[i]->polls().size())};
          return seen[0].first >= 0 && seen[1].first >= 0;
        },
        20s);
    console.clear();
    return seen;
  };
  // The sixth silent poll finds five unanswered before it; one poll either way for the time it
  // takes to see it.
  const auto silent = told("Kelvor – COM1: keine Antwort", "COM1: no answer\n");
  EXPECT_TRUE(silent[0].second >= 7 && std::abs(silent[0].second - silent[1].second) <= 1)
      << silent[0].second << " " << silent[1].second;
  // Unplugged: each link left dangling where no other pseudo-terminal can turn up.
  for (int i = 0; i < 2; ++i) {
    sims[i]->stop(true);
    const QString link = homes[i].file(QStringLiteral("Kelvor/ports/COM1"));
    ASSERT_TRUE(QFile::remove(link) && QFile::link(homes[i].file(QStringLiteral("gone")), link));
  }
  const auto lost =
      told("Kelvor – COM1: getrennt, neuer Versuch", "COM1: disconnected, retrying\n");
  EXPECT_TRUE(lost[1].first >= 0 && std::abs(lost[0].first - lost[1].first) <= 2000)
      << lost[0].first << " " << lost[1].first;
  plug({"--values", "const:2"});
  const auto back = told("Kelvor – COM1", "COM1: answering again\n");
  const int newPolls[2] = {back[0].second - lost[0].second, back[1].second - lost[1].second};
  EXPECT_TRUE(back[1].first >= 0 && std::abs(newPolls[0] - newPolls[1]) <= 1)
      << newPolls[0] << " " << newPolls[1];
}

}  // namespace
}  // namespace kelvor::e2e
