// The real recorder against the real meter simulator over a pseudo-terminal.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
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

// The four-display meter answers with four frames, more than one read takes; the first is shown.
TEST(ReadingsE2e, FourFrameMeterShowsItsFirstFrame) {
  TestHome home;
  home.writeSettings({{"Device", "1"}});
  MeterSim sim(home, {"--port", "1", "--meter", "four", "--values", "const:2.5"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal lblACDC") == "2,500 V\tDC"; }, 5s))
      << app.text("lblVal lblACDC").toStdString();
}

// A port that leads to something other than a terminal is reported once; the program runs on
// without polling, and never writes to what the link leads to.
TEST(ReadingsE2e, UnusablePortIsReportedAndTheProgramRunsOn) {
  TestHome home;
  const QString notes = home.writeFile("notes.txt", "important notes");
  const QDateTime notesModified = QFileInfo(notes).lastModified();
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
