// The real recorder against the real meter simulator over a pseudo-terminal.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

using namespace std::chrono_literals;
using Reading = std::pair<QString, QString>;  // lblVal, lblACDC

// Collects the distinct readings shown, in order, until `last` shows or time runs out.
std::vector<Reading> watchReadings(KelvorApp& app, const Reading& last,
                                   std::chrono::milliseconds timeout) {
  std::vector<Reading> seen;
  waitUntil(
      [&] {
        const QStringList both = app.texts({"lblVal", "lblACDC"});
        const Reading now{both.value(0), both.value(1)};
        if (seen.empty() || seen.back() != now) seen.push_back(now);
        return now == last;
      },
      timeout);
  return seen;
}

QString writeScript(const TestHome& home, const QStringList& lines) {
  const QString path = home.file(QStringLiteral("answers.txt"));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text));
  QTextStream(&file) << lines.join(QLatin1Char('\n')) << '\n';
  return path;
}

TEST(ReadingsE2e, ScriptedFramesAreShownInOrder) {
  struct Case {
    const char* language;
    std::vector<Reading> expected;
  };
  const QStringList frames = {"DC  1.234 V  ", "DC -1.234 V  ", "AC 1234.5 V  ",
                              "OH  1.500kOhm", "DC   OL   V  ", "DC 10.000 V  "};
  const std::vector<Case> cases = {
      {"de_DE.UTF-8",
       {{"1,234 V", "DC"},
        {"-1,234V", "DC"},
        {"1234,5V", "AC"},
        {"1,500", "kOhm"},
        {"OL V", "DC"},
        {"10,00 V", "DC"}}},
      {"en_US.UTF-8",
       {{"1.234 V", "DC"},
        {"-1.234V", "DC"},
        {"1234.5V", "AC"},
        {"1.500", "kOhm"},
        {"OL V", "DC"},
        {"10.00 V", "DC"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--script", writeScript(home, frames)});
    ASSERT_TRUE(sim.ready());
    KelvorApp app(home, QString::fromLatin1(c.language));
    ASSERT_TRUE(app.connected());

    std::vector<Reading> seen = watchReadings(app, c.expected.back(), 12s);
    // Before the first answer the design texts stand there.
    ASSERT_FALSE(seen.empty());
    if (seen.front().second == QLatin1String("MOhm")) seen.erase(seen.begin());
    EXPECT_EQ(seen, c.expected);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                    .match(app.text("lblAkt"))
                    .hasMatch());
  }
}

TEST(ReadingsE2e, PollsWithOneDPerSecondAndNothingElse) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "ramp:0,0.1"});
  ASSERT_TRUE(sim.ready());
  {
    KelvorApp app(home);
    ASSERT_TRUE(app.connected());
    waitUntil([] { return false; }, 5500ms);
    ASSERT_TRUE(app.quit());
  }
  const std::vector<LoggedByte> bytes = receivedBytes(sim.logPath());
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_LE(bytes.size(), 6u);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bytes[i].byte, 'D');
    if (i > 0) {
      EXPECT_NEAR(bytes[i].seconds - bytes[i - 1].seconds, 1.0, 0.15);
    }
  }
  const QStringList settings = lineSettingLines(sim.logPath());
  ASSERT_FALSE(settings.isEmpty());
  // A pseudo-terminal always keeps 8 data bits; the rest of the line settings arrive.
  const QString last = settings.last();
  EXPECT_TRUE(last.contains(QLatin1String("1200 baud"))) << last.toStdString();
  EXPECT_TRUE(last.contains(QLatin1String("parity none"))) << last.toStdString();
  EXPECT_TRUE(last.contains(QLatin1String("2 stop bits"))) << last.toStdString();
}

TEST(ReadingsE2e, FourFrameMeterShowsItsFirstFrame) {
  TestHome home;
  home.writeSettings({{"Device", "1"}});
  MeterSim sim(home, {"--port", "1", "--meter", "four", "--values", "const:2.5"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal") == QLatin1String("2,500 V"); }, 5s))
      << app.text("lblVal").toStdString();
  EXPECT_EQ(app.text("lblACDC"), QLatin1String("DC"));
}

TEST(ReadingsE2e, FourFrameMeterSendingOneFrameShowsNothing) {
  TestHome home;
  home.writeSettings({{"Device", "1"}});
  MeterSim sim(home,
               {"--port", "1", "--meter", "four", "--only-first-frame", "--values", "const:2.5"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  waitUntil([] { return false; }, 3500ms);
  EXPECT_EQ(app.text("lblVal"), QLatin1String("0,000"));
  EXPECT_GE(receivedBytes(sim.logPath()).size(), 2u);  // it did poll
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
  const QString notes = files.file(QStringLiteral("notes.txt"));
  {
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("important notes") == 15);
  }
  const QDateTime notesModified = QFileInfo(notes).lastModified();
  const QString notATerminal = QStringLiteral("Inappropriate ioctl for device");
  const std::vector<Case> cases = {
      {"a link to nothing", files.file(QStringLiteral("unplugged")),
       QStringLiteral("Error 2 opening COM1\n"), QStringLiteral("No such file or directory")},
      {"a regular file", notes, QStringLiteral("Error 25 opening COM1\n"), notATerminal},
      {"a folder", files.path(), QStringLiteral("Error 25 opening COM1\n"), notATerminal},
      {"/dev/null", QStringLiteral("/dev/null"), QStringLiteral("Error 25 opening COM1\n"),
       notATerminal},
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
    KelvorApp& app = *apps[i];
    ASSERT_TRUE(app.connected());
    ASSERT_TRUE(waitUntil([&] { return !app.modal().isEmpty(); }, 5s));
    const QString message = app.modal();
    EXPECT_TRUE(message.startsWith("Kelvor|" + cases[i].error)) << message.toStdString();
    EXPECT_TRUE(message.contains(QLatin1String("Kelvor/ports/COM1: ") + cases[i].reason))
        << message.toStdString();
    ASSERT_TRUE(app.request(QStringLiteral("dismiss")).startsWith(QLatin1String("ok")));
  }
  waitUntil([] { return false; }, 3s);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_TRUE(apps[i]->running());
    EXPECT_TRUE(apps[i]->modal().isEmpty());
  }
  EXPECT_EQ(contentsOf(notes), QByteArray("important notes"));
  EXPECT_EQ(QFileInfo(notes).lastModified(), notesModified);
}

TEST(ReadingsE2e, HostileMeterNeverStopsTheProgram) {
  TestHome home;
  const QString script = writeScript(
      home, {"garbage", "silent", "raw DC  1.2", "raw \\x00\\x01\\xff\\r\\r\\r", "overload  O.L  ",
             "split 5 DC  7.777 V  ", "late 1500 DC  8.888 V  ", "garbage", "DC  4.321 V  "});
  MeterSim sim(home, {"--port", "1", "--script", script});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  std::set<QString> shown;
  const bool reached = waitUntil(
      [&] {
        shown.insert(app.text("lblVal"));
        return app.text("lblVal") == QLatin1String("4,321 V");
      },
      20s);
  EXPECT_TRUE(reached);
  EXPECT_TRUE(shown.count(QStringLiteral("7,777 V"))) << "a split answer is still read";
  for (const QString& text : shown)
    EXPECT_FALSE(text.startsWith(QLatin1String("1,2"))) << "short answer decoded";
  EXPECT_TRUE(app.running());
}

TEST(ReadingsE2e, DeviceThatDisappearsLeavesTheProgramRunning) {
  for (const bool removeLink : {true, false}) {
    SCOPED_TRACE(removeLink ? "simulator ends" : "simulator killed");
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--values", "const:3.3"});
    ASSERT_TRUE(sim.ready());
    KelvorApp app(home);
    ASSERT_TRUE(app.connected());
    ASSERT_TRUE(waitUntil([&] { return app.text("lblVal") == QLatin1String("3,300 V"); }, 5s));
    if (removeLink) {
      sim.terminate();
    } else {
      sim.kill();
    }
    waitUntil([] { return false; }, 3s);
    EXPECT_TRUE(app.running());
    EXPECT_EQ(app.request("visible frmMain"), QLatin1String("ok 1"));
    EXPECT_EQ(app.text("lblVal"), QLatin1String("3,300 V"));
  }
}

TEST(ReadingsE2e, RunCommandShowsChangingReadingsWithinThreeSeconds) {
  TestHome home;
  QProcessEnvironment env = home.environment();
  env.insert(QStringLiteral("KELVOR_DEMO_HOME"), home.path());
  const auto started = std::chrono::steady_clock::now();
  KelvorApp app(home, QStringLiteral(KELVOR_SOURCE_DIR "/tools/start-with-simulator"),
                {QFileInfo(QStringLiteral(KELVOR_EXE)).absolutePath()}, env);
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
