// The real recorder against the real meter simulator over a pseudo-terminal.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <memory>
#include <set>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

TEST(ReadingsE2e, ScriptedFramesAreShownInOrder) {
  const QByteArray frames =
      "DC  1.234 V  \nDC -1.234 V  \nAC 1234.5 V  \nOH  1.500kOhm\nDC   OL   V  \nDC 10.000 V  \n";
  const std::vector<std::pair<QString, QStringList>> cases = {
      {"de_DE.UTF-8",
       {"1,234 V\tDC", "-1,234V\tDC", "1234,5V\tAC", "1,500\tkOhm", "OL V\tDC", "10,00 V\tDC"}},
      {"en_US.UTF-8",
       {"1.234 V\tDC", "-1.234V\tDC", "1234.5V\tAC", "1.500\tkOhm", "OL V\tDC", "10.00 V\tDC"}},
  };
  for (const auto& [language, expected] : cases) {
    SCOPED_TRACE(language.toStdString());
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--script", home.writeFile("answers.txt", frames)});
    ASSERT_TRUE(sim.ready());
    KelvorApp app(home, language);
    ASSERT_TRUE(app.connected());
    QStringList seen;
    waitUntil(
        [&] {
          const QString now = app.text("lblVal lblACDC");
          if (seen.isEmpty() || seen.back() != now) seen << now;
          return now == expected.back();
        },
        12s);
    // Before the first answer the design texts stand there.
    if (!seen.isEmpty() && seen.front().endsWith("MOhm")) seen.removeFirst();
    EXPECT_EQ(seen.join(" | ").toStdString(), expected.join(" | ").toStdString());
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(app.text("lblAkt")).hasMatch());
  }
}

// The four-display meter answers with four frames, of which the first is shown; one frame
// alone is no answer of that meter.
TEST(ReadingsE2e, FourFrameMeterShowsItsFirstFrame) {
  for (const QStringList& extra : {QStringList(), QStringList("--only-first-frame")}) {
    const bool allFrames = extra.isEmpty();
    SCOPED_TRACE(allFrames ? "four frames" : "one frame");
    TestHome home;
    home.writeSettings({{"Device", "1"}});
    MeterSim sim(home,
                 QStringList{"--port", "1", "--meter", "four", "--values", "const:2.5"} + extra);
    ASSERT_TRUE(sim.ready());
    KelvorApp app(home);
    ASSERT_TRUE(app.connected());
    const QString expected = allFrames ? "2,500 V\tDC" : "0,000\t";
    waitUntil([&] { return allFrames && app.text("lblVal lblACDC") == expected; }, 5s);
    EXPECT_TRUE(app.text("lblVal lblACDC").startsWith(expected));
    EXPECT_FALSE(sim.polls().empty());
  }
}

// A port that is missing, or that leads to something other than a terminal, is reported
// once; the program runs on without polling, and never writes to what the link leads to.
TEST(ReadingsE2e, UnusablePortIsReportedAndTheProgramRunsOn) {
  struct Case {
    const char* name;
    QString target;  // what COM1 is linked to
    QString error;
    QString reason;
  };
  TestHome files;
  const QString notes = files.writeFile("notes.txt", "important notes");
  const QDateTime notesModified = QFileInfo(notes).lastModified();
  const QString notATerminal = QStringLiteral("Inappropriate ioctl for device");
  const std::vector<Case> cases = {
      {"a link to nothing", files.file("unplugged"), "Error 2 opening COM1\n",
       "No such file or directory"},
      {"a regular file", notes, "Error 25 opening COM1\n", notATerminal},
      {"a folder", files.path(), "Error 25 opening COM1\n", notATerminal},
      {"/dev/null", "/dev/null", "Error 25 opening COM1\n", notATerminal},
  };
  // All programs run side by side; each has a home of its own.
  std::vector<std::unique_ptr<TestHome>> homes;
  std::vector<std::unique_ptr<KelvorApp>> apps;
  for (const Case& c : cases) {
    homes.push_back(std::make_unique<TestHome>());
    const QString ports = homes.back()->file(QStringLiteral("Kelvor/ports"));
    ASSERT_TRUE(QDir().mkpath(ports));
    ASSERT_TRUE(QFile::link(c.target, ports + QStringLiteral("/COM1")));
    apps.push_back(std::make_unique<KelvorApp>(*homes.back(), QStringLiteral("en_US.UTF-8")));
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    ASSERT_TRUE(apps[i]->connected());
    const QString message = apps[i]->awaitModal();
    EXPECT_TRUE(message.startsWith("Kelvor|" + cases[i].error)) << message.toStdString();
    EXPECT_TRUE(message.contains("Kelvor/ports/COM1: " + cases[i].reason)) << message.toStdString();
    ASSERT_TRUE(apps[i]->ok(QStringLiteral("dismiss")));
  }
  pause(3s);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_TRUE(apps[i]->running());
    EXPECT_TRUE(apps[i]->modal().isEmpty());
  }
  EXPECT_EQ(contentsOf(notes), QByteArray("important notes"));
  EXPECT_EQ(QFileInfo(notes).lastModified(), notesModified);
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
