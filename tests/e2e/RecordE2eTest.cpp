// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-record against the simulator: ends, waits for its port and survives unplugging. (A
// stop by SIGTERM: LivePageE2e and WaitsForThePort; a journal on disk as it comes: the latter.)
#include <sys/stat.h>

#include <cstdio>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <tuple>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

// (The journal on standard output: MeterFamiliesE2e.)
TEST(RecordE2e, CountOrDurationEndsTheRecordingWithTheMetersValuesPolledOnceASecond) {
  for (const auto& [ending, rows] : {std::pair("--count", 10), std::pair("--duration", 5)}) {
    SCOPED_TRACE(ending);
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
    const QString file = home.file(QStringLiteral("f.csv"));
    RecordProcess recorder(home,
                           {"--port", "COM1", ending, rows == 10 ? "10" : "5s", "--output", file});
    EXPECT_EQ(recorder.status(), 0);
    EXPECT_FALSE(QFileInfo::exists(file + ".part"));
    const std::vector<double> values = journalValues(contentsOf(file));
    const std::vector<LoggedByte> polls = sim.polls();
    ASSERT_TRUE(values.size() == static_cast<std::size_t>(rows) && polls.size() == values.size());
    for (std::size_t i = 0; i < polls.size(); ++i)
      EXPECT_TRUE(values[i] == i + 1.0 && polls[i].byte == 'D' &&
                  (i == 0 || polls[i].seconds - polls[i - 1].seconds > 0.8))
          << i << ": " << values[i] << ", " << polls[i].byte << " at " << polls[i].seconds;
  }
}

// Waiting for a port that is not there yet (COM200 has no fixed device), then the meter gone
// and back again.
TEST(RecordE2e, WaitsForThePortAndGoesOnAfterItComesBack) {
  TestHome home;
  const QString file = home.file(QStringLiteral("f.csv"));
  RecordProcess recorder(home, {"--port", "COM200", "--wait", "--count", "8", "--output", file});
  RecordProcess stopped(home, {"--port", "COM201", "--wait", "--output", home.file("g.csv")});
  for (RecordProcess* process : {&recorder, &stopped})
    ASSERT_TRUE(waitUntil(
        [&] { return process->process.readAllStandardError().startsWith("Error 2 opening"); }, 5s));
  // Stopped while it still waits for its meter: no failure.
  stopped.process.terminate();
  EXPECT_EQ(stopped.status(), 0);
  auto sim = std::make_unique<MeterSim>(home, QStringList{"--port", "200", "--values", "ramp:1,1"});
  ASSERT_TRUE(
      waitUntil([&] { return journalValues(contentsOf(file + ".part")).size() == 3; }, 10s));
  // The simulator dies and leaves its link dangling, aimed where no other test's
  // pseudo-terminal can turn up meanwhile (the system reuses their numbers).
  sim->stop(true);
  const QString link = home.file(QStringLiteral("Kelvor/ports/COM200"));
  ASSERT_TRUE(QFile::remove(link) && QFile::link(home.file(QStringLiteral("gone")), link));
  sim = std::make_unique<MeterSim>(home, QStringList{"--port", "200", "--values", "ramp:100,1"});
  EXPECT_EQ(recorder.status(), 0);
  // The first meter's ramp from 1, then the second one's from 100: none twice, none back.
  const std::vector<double> values = journalValues(contentsOf(file));
  ASSERT_EQ(values.size(), 8u);
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_TRUE(values[i] == (i == 0 ? 1 : values[i - 1] + 1) || (i >= 3 && values[i] == 100))
        << i << ": " << values[i];
  EXPECT_NE(std::find(values.begin(), values.end(), 100.0), values.end());
}

// The wall clock set back 30 s mid-run (a time server's correction): the journal's elapsed_s
// go on a second a reading (a replayed journal's times are the recording's own: ScopeController).
TEST(RecordE2e, AWallClockSetBackLeavesTheDurationsOfTheJournalWhole) {
  if (!QFileInfo::exists(QStringLiteral(KELVOR_FAKETIME_LIB)))
    GTEST_SKIP() << "libfaketime is not installed";
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
  // The wall clock of kelvor-record alone, set through libfaketime from a file it reads at every
  // call ("+0", "-30": seconds from the real time); the steady clock stays the system's. Under
  // AddressSanitizer its runtime must come first among the preloaded libraries.
  const QString offset = home.writeFile(QStringLiteral("offset"), "+0\n");
  QProcessEnvironment clock;
  clock.insert("LD_PRELOAD",
               QStringLiteral(KELVOR_PRELOAD_FIRST " " KELVOR_FAKETIME_LIB).trimmed());
  clock.insert("FAKETIME_TIMESTAMP_FILE", offset);
  clock.insert("FAKETIME_NO_CACHE", "1");
  clock.insert("DONT_FAKE_MONOTONIC", "1");
  const QString file = home.file(QStringLiteral("f.csv"));
  RecordProcess recorder(home, {"--port", "COM1", "--count", "9", "--output", file}, clock);
  ASSERT_TRUE(
      waitUntil([&] { return journalValues(contentsOf(file + ".part")).size() == 4; }, 10s));
  // Replaced at once: the library must never read a half-written file.
  const QString next = home.writeFile(QStringLiteral("offset.next"), "-30\n");
  ASSERT_EQ(std::rename(next.toLocal8Bit().constData(), offset.toLocal8Bit().constData()), 0);
  ASSERT_EQ(recorder.status(), 0) << recorder.process.readAllStandardError().toStdString();

  const QStringList rows = QString::fromUtf8(contentsOf(file)).split("\r\n", Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 10);
  const QRegularExpression seconds(QStringLiteral("^\\d+\\.\\d{3}$"));
  QDateTime before;
  bool steppedBack = false;
  for (int i = 1; i < rows.size(); ++i) {
    const QString elapsed = rows[i].section(',', 2, 2);
    ASSERT_TRUE(seconds.match(elapsed).hasMatch()) << rows[i].toStdString();
    EXPECT_NEAR(elapsed.toDouble(), i - 1, 0.25) << rows[i].toStdString();
    const QDateTime utc = QDateTime::fromString(rows[i].section(',', 1, 1), Qt::ISODateWithMs);
    steppedBack = steppedBack || before.msecsTo(utc) < -25000;
    before = utc;
  }
  EXPECT_TRUE(steppedBack) << "the wall clock was not set back";
}

// Start and stop rules: a condition start keeps the 5 readings before the trigger (elapsed
// times negative), says what it waits for and stops 10 s after it. (A time-of-day start on the
// local wall clock: RecordingRulesTest; the options that make the rules: RuleOptions.)
TEST(RecordE2e, StartAndStopRulesRecordFromTheTriggerWithItsPreTriggerReadings) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1.55,-0.1"});  // 0.75 after 8 s
  const QString file = home.file(QStringLiteral("f.csv"));
  RecordProcess recorder(home, {"--port", "COM1", "--start-when", "< 0,8", "--pre-trigger", "5",
                                "--stop-after", "10s", "--output", file});
  ASSERT_EQ(recorder.status(), 0);
  const QString said = QString::fromUtf8(recorder.process.readAllStandardError());
  EXPECT_TRUE(said.contains("waiting for < 0,8")) << said.toStdString();
  const std::vector<QStringList> rows = journalRows(contentsOf(file));
  ASSERT_EQ(rows.size(), 16u) << contentsOf(file).toStdString();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_NEAR(rows[i].value(4).toDouble(), 1.25 - 0.1 * static_cast<double>(i), 0.001) << i;
    EXPECT_NEAR(rows[i].value(2).toDouble(), static_cast<double>(i) - 5, 0.3) << i;
  }
}

// --port /dev/PATH opens that device, never the link of its number, and a wrong option ends at
// once. --output: a device takes the journal as a stream (a FIFO nobody reads, like a stalled
// disk, holds up the end five seconds, which is told), a folder is refused, and beside a file
// of that name the journal gets another one, which is told. A port that a run has closed opens
// again for the next one (as an ordinary user too, who is bound by exclusive use).
TEST(RecordE2e, PortAndOutputOptionsOpenWhatTheyNameOrSaySoInOneLine) {
  TestHome home;
  MeterSim sim(home, {"--port", "64", "--values", "ramp:1,1"});
  const QString taken = home.writeFile(QStringLiteral("f.csv"), "mine");
  const QString folder = home.file(QStringLiteral("Kelvor"));
  const QString fifo = home.file(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  // Options, exit status, the start of standard error (all of it when it ends a line).
  for (const auto& [options, status, said] : std::vector<std::tuple<QStringList, int, QString>>{
           {{"--port", "/dev/ttyUSB31"}, 1, "Error 2 opening COM64: /dev/ttyUSB31: "},
           {{"--port", "COM64", "--calc", "W=1*1"}, 2, "kelvor-record: --output takes one meter"},
           {{"--output", "/dev/full"}, 1, "kelvor-record: /dev/full: No space left on device\n"},
           {{"--output", fifo},
            1,
            "kelvor-record: The recording " + fifo +
                " is still open: its disk has not answered for 5 seconds.\nThe readings so far "
                "are in that file, as far as the disk took them.\n"},
           {{"--output", folder},
            2,
            "kelvor-record: --output " + folder + ": is a folder, not a file\n"},
           {{"--output", taken},
            0,
            "kelvor-record: " + taken + " exists; the journal is " + home.file("f-2.csv") + "\n"},
           {{}, 0, ""}}) {
    SCOPED_TRACE(options.join(' ').toStdString());
    QStringList arguments = QStringList{"--count", "1"} + options;
    if (!options.contains("--port")) arguments += QStringList{"--port", "COM64"};
    if (!options.contains("--output")) arguments += QStringList{"--output", "-"};
    RecordProcess recorder(home, arguments);
    EXPECT_EQ(recorder.status(), status);
    const QString errors = QString::fromUtf8(recorder.process.readAllStandardError());
    EXPECT_TRUE(said.isEmpty() || said.endsWith('\n') ? errors == said : errors.startsWith(said))
        << errors.toStdString();
  }
  EXPECT_EQ(contentsOf(taken), "mine");
  EXPECT_EQ(journalValues(contentsOf(home.file("f-2.csv"))).size(), 1u);
}

}  // namespace
}  // namespace kelvor::e2e
