// SPDX-License-Identifier: GPL-3.0-or-later
// Every reading on disk as it comes, with its time of day.
#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <csignal>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

TEST(JournalE2e, AClosedProgramFinishesItsJournalAndAKilledOneLosesNoReading) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
  const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
  // The close box, a logout's SIGTERM and SIGINT: each finishes the journal, stores the settings.
  for (const int signal : {0, SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    QFile::remove(home.file(QStringLiteral("Kelvor/Kelvor.conf")));
    KelvorApp app(home);
    ASSERT_TRUE(recordReadings(app, 2).size() == 2u);
    EXPECT_TRUE(app.quit(signal) && home.stored("Port") == "1");
  }
  const QStringList finished = folder.entryList(QDir::Files);  // no .part left
  EXPECT_TRUE(finished.size() == 3 &&
              finished.filter(QRegularExpression("_COM1(-2)?\\.csv$")).size() == 3)
      << finished.join(' ').toStdString();

  KelvorApp app(home);
  const std::vector<double> shown = recordReadings(app, 10);
  ASSERT_EQ(shown.size(), 10u);
  app.kill();
  const QStringList parts = folder.entryList({"*_COM1.csv.part"}, QDir::Files);
  ASSERT_EQ(parts.size(), 1);
  const std::vector<QStringList> rows = journalRows(contentsOf(folder.filePath(parts[0])), ';');
  ASSERT_GE(rows.size(), 10u);
  // The row's fields and times are JournalFormatTest's, LiveRecordingTest's and SystemClockTest's;
  // what the next start offers is ACrashedJournalOfAnyLengthIsReadToItsEnd's.
  std::vector<int> values;
  for (const QStringList& row : rows) values.push_back(row.value(4).toInt());
  // In order, none left out: the ramp counts up by one a reading.
  for (std::size_t i = 1; i < values.size(); ++i) EXPECT_EQ(values[i], values[i - 1] + 1);
  EXPECT_NE(std::search(values.begin(), values.end(), shown.begin(), shown.end()), values.end());
}

// A journal that cannot be written is told once; the recording goes on in memory.
TEST(JournalE2e, AReadOnlyOrFullFileSystemIsToldOnceAndNoReadingIsLost) {
  for (const QString options : {"ro", "size=8k"}) {
    SCOPED_TRACE(options.toStdString());
    TestHome home;
    const QString data = home.file(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(data));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", data}) != 0)
      GTEST_SKIP() << "no tmpfs may be mounted here";
    // The small one is full before the first row: one file of its whole size.
    if (options != "ro") home.writeFile("data/filler", QByteArray(8192, 'x'));
    // A second meter's journal fails too, and is told as well.
    home.writeSettingsText("Channel1=meter Port1=1 Channel2=meter Port2=2");
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"}), second(home, {"--port", "2"});
    {
      KelvorApp app(home, QStringLiteral("en_US.UTF-8"));
      const std::vector<double> shown = recordReadings(app, 4);
      ASSERT_EQ(shown.size(), 4u);
      for (int told = 0; told < 2; ++told) {
        const QString message = app.awaitModal(QStringLiteral("Kelvor|The recording "));
        EXPECT_TRUE(
            message.contains(data + "/Kelvor") &&
            message.contains(options == "ro" ? "Read-only file system" : "No space left on device"))
            << told << message.toStdString();
        // The first answered without waiting: the second may follow at once.
        ASSERT_TRUE(told == 0 ? app.ok(QStringLiteral("dismiss")) : app.dismiss());
        pause(500ms);
      }
      pause(2s);
      EXPECT_TRUE(app.modal().isEmpty());
      const QString saved = home.file(QStringLiteral("channel0.kvr"));
      ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(0)"), saved));
      const std::vector<TraceLine> lines = recordLines(contentsOf(saved), QLatin1Char('.'));
      ASSERT_FALSE(lines.empty());
      // From the first reading on, and on past the last one shown.
      EXPECT_TRUE(lines.front().value <= shown.front() && lines.back().value > shown.back());
    }
    // No empty journal is left for the next start to offer.
    EXPECT_EQ(QDir(data + "/Kelvor/recordings").entryList(QDir::Files), QStringList());
    EXPECT_EQ(QProcess::execute("umount", {data}), 0);
  }
}

// A crashed journal longer than 64 MiB is read to its end: the question counts every row and
// offers the first free channel (channel 1 records); loading replays them all, so the channel's
// last sample is the journal's last reading. Kept, the journal of more than a week then loads
// as wholly from the file menu and opens in a review window of its own.
TEST(JournalE2e, ACrashedJournalOfAnyLengthIsReadToItsEnd) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
  constexpr int Rows = 800000;
  QByteArray text = "time;utc;elapsed_s;channel;value;unit;mode;status;raw\r\n";
  text.reserve(Rows * 90);
  for (int i = 0; i < Rows; ++i) {
    const QByteArray value = QByteArray::number(i % 1000);
    text += "2026-12-06 14:03:07.120;2026-12-06T13:03:07.120Z;" + QByteArray::number(i) +
            ",000;2;" + value + ";V;DC;ok;\"DC  " + value.rightJustified(5) + " V  \"\r\n";
  }
  ASSERT_GT(text.size(), 64 << 20);
  ASSERT_TRUE(QDir().mkpath(home.file(QStringLiteral("data/Kelvor/recordings"))));
  const QString journal =
      home.writeFile(QStringLiteral("data/Kelvor/recordings/2026-12-06_14-03-07_COM1.csv"), text);
  ASSERT_TRUE(QFile::rename(journal, journal + ".part"));
  KelvorApp app(home);
  const QString question = app.awaitModal(QStringLiteral("Kelvor|Die Aufzeichnung vom "), 120s);
  EXPECT_TRUE(question.contains(
      QStringLiteral("sie enthält %1 Messwerte.\nIn Kanal 2 (rot) laden?").arg(Rows)))
      << question.toStdString();
  ASSERT_TRUE(app.ok(QStringLiteral("click cmdJournalLoad")));
  ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 60s));
  EXPECT_TRUE(QFile::exists(journal) && !QFile::exists(journal + ".part"));  // kept
  const QString saved = home.file(QStringLiteral("channel1.kvr"));
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(1)"), saved));
  const std::vector<TraceLine> samples = recordLines(contentsOf(saved), ',');
  ASSERT_FALSE(samples.empty());
  // Stored every few hundred readings at the day's scale: the last lies near the end.
  EXPECT_GT(samples.back().time, Rows - 1000);
  EXPECT_EQ(samples.back().value, samples.back().time % 1000);
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileLoad(2)"), journal));
  const QString loaded = home.file(QStringLiteral("channel2.kvr"));
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(2)"), loaded));
  EXPECT_GT(recordLines(contentsOf(loaded), ',').back().time, Rows - 1000);
  ASSERT_TRUE(app.choose(QStringLiteral("mnuReview"), journal));
  QString span;
  const auto spanShown = [&] {
    return (span = app.value("text lblReviewSpan")).startsWith("t 00:00:00 ");
  };
  EXPECT_TRUE(waitUntil(spanShown, 10s) && span.endsWith("min / Pixel")) << span.toStdString();
  EXPECT_TRUE(app.quit());
}

}  // namespace
}  // namespace kelvor::e2e
