// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commands/TraceFileCommands.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/JournalFile.h"
#include "platform/ProgramCatalogue.h"
#include "platform/SystemLocale.h"
#include "support/FileSizeLimit.h"
#include "support/StartedMainWindow.h"
#include "ui/commands/JournalRecovery.h"
#include "ui/common/ObjectNames.h"

namespace kelvor {
namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QByteArray Header = "time;utc;elapsed_s;channel;value;unit;mode;status;raw\r\n";
const QByteArray Times = "2026-12-06 14:03:07;2026-12-06T13:03:07.120Z;";

class TraceFileCommandsTest : public testing::StartedMainWindow {
 protected:
  QString path(const char* name) const { return files.filePath(QLatin1String(name)); }
  QStringList entries(const QString& folder, QDir::Filters filter) const {
    return QDir(folder).entryList(filter | QDir::Hidden | QDir::NoDotAndDotDot);
  }
};

// A file that cannot be read, is too large or endless, or is a journal without a readable row
// is reported once, naming it (and the line), and changes neither the channel nor the
// recording. A journal loads by replaying its readings into the channel; its malformed rows are
// left out and named.
TEST_F(TraceFileCommandsTest, AJournalIsReplayedIntoTheChannelAndAFailedLoadChangesNothing) {
  std::size_t replayed = 0;
  traceFiles.setReplay([this, &replayed](const std::vector<JournalRow>& rows, int channel) {
    replayed = rows.size();
    window.liveRecording().replay(rows, channel);
  });
  window.controls().colours.channelButtons[1]->click();
  window.controls().recording.drawingActiveBox->click();
  const RecordingState& state = window.recording();
  window.liveRecording().recording().beginRun(window.liveRecording().clock().moment());
  const auto before = std::tuple(state.running(), state.startTime());
  const QByteArray german = Header + Times + "0,000;1;1,5;V;DC;ok;r\r\n" + Times +
                            "1,000;1;;V;DC;overload;r\r\n" + Times + "2,000;1;2,5;V;DC;ok;r\r\n";
  ASSERT_TRUE(writeFile(path("bad.csv"), german + "x\r\n" + Times + "3,000;1;3;V;DC;ok;r\r\n") &&
              writeFile(path("rows.csv"), Header + "x\r\n") && writeFile(path("de.csv"), german));
  // The file, the rows replayed (0: not loaded), the words of the message (none: no message).
  for (const auto& [file, rows, words] : std::vector<std::tuple<QString, std::size_t, QString>>{
           {path("missing.kvr"), 0, path("missing.kvr")},
           {"/dev/zero", 0, "/dev/zero is too large for a trace (more than 64 MB)."},
           {path("rows.csv"), 0, "rows.csv was not loaded.\nLine 2: The line is not a row"},
           {path("bad.csv"), 4,
            "bad.csv: 1 line(s) left out that are not as Kelvor writes them: 5"},
           {path("de.csv"), 3, ""}}) {
    SCOPED_TRACE(file.toStdString());
    messages.clear();
    replayed = 0;
    const bool loaded = traceFiles.loadFrom(1, file);
    EXPECT_EQ(std::pair(loaded, replayed), std::pair(rows > 0, rows));
    EXPECT_TRUE(messages.size() == (words.isEmpty() ? 0 : 1) &&
                (words.isEmpty() || messages[0].contains(words)))
        << messages.join("").toStdString();
    // Stored as a live recording would have: the first reading at once, the others as due.
    EXPECT_EQ(window.traces().value(1, 1) + window.traces().time(1, 1), loaded ? 1.5f : 6.2f);
    // A journal loaded into the recording channel ends that recording.
    EXPECT_EQ(window.controls().recording.drawingActiveBox->isChecked(), !loaded);
    EXPECT_TRUE(loaded || std::tuple(state.running(), state.startTime()) == before);
  }
}

// After a crash a journal's malformed rows are left out and named in the question; its other
// rows, those after them too, are replayed in their order.
TEST_F(TraceFileCommandsTest, ARecoveredJournalLosesOnlyItsMalformedRows) {
  QCoreApplication::processEvents();  // the window's own look at its start
  const QString folder = QString::fromStdString(JournalFile::recordingsFolder());
  ASSERT_TRUE(QDir().mkpath(folder) &&
              writeFile(folder + "/2026-12-06_14-03-07_COM1.csv.part",
                        Header + "x\r\n" + Times + "0,000;3;1;V;DC;ok;r\r\nx\r\n" + Times +
                            "1,000;3;2;V;DC;ok;r\r\n" + Times + "2,0"));
  QString question;
  QTimer::singleShot(0, [&question] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    question = box ? box->text() : "";
    if (box) box->findChild<QPushButton*>(ObjectNames::cmdJournalLoad)->click();
  });
  std::vector<std::int64_t> replayed;
  JournalRecovery::offer(
      &window, [](int channel) { return channel; },
      [&replayed](const std::vector<JournalRow>& rows, int channel) {
        for (const JournalRow& row : rows) replayed.push_back(channel * 10000 + row.elapsedMs);
      });
  EXPECT_TRUE(
      question.contains("2 readings.\nLoad it into channel 3") &&
      question.contains(".part: 2 line(s) left out that are not as Kelvor writes them: 2, 4"))
      << question.toStdString();
  EXPECT_EQ(replayed, (std::vector<std::int64_t>{20000, 21000}));
}

// The dialogs start in the user's documents folder (never the program's), then in the folder
// of the file chosen last; the save dialog asks before it replaces a file.
TEST_F(TraceFileCommandsTest, DialogsStartInTheDocumentsFolderThenInTheOneLastUsed) {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QStringList started;
  const auto answer = [&started](const QString& file) {
    QTimer::singleShot(0, [&started, file] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      started << dialog->directory().absolutePath();
      if (dialog->acceptMode() == QFileDialog::AcceptSave)
        started << (dialog->testOption(QFileDialog::DontConfirmOverwrite) ? "replaces" : "asks");
      dialog->selectFile(file);
      QMetaObject::invokeMethod(dialog, "accept");
    });
  };
  answer(path("a.kvr")), traceFiles.onSaveClicked(0);
  answer(path("a.kvr")), traceFiles.onLoadClicked(0);
  EXPECT_EQ(started, QStringList({QFileInfo(documents).isDir() ? documents : QDir::homePath(),
                                  "asks", QDir(files.path()).absolutePath()}));
}

// A write that fails part-way keeps the old file and leaves nothing else behind, also where all
// of a small trace may still have waited in a buffer when the limit struck.
TEST_F(TraceFileCommandsTest, FailedSaveKeepsTheOldFileAndReports) {
  std::vector<TraceSample> many;
  for (int i = 0; i < 3000; ++i)
    many.push_back({1.234567f * static_cast<float>(i), static_cast<float>(i)});
  testing::fillChannel(window.traces(), 5, many);
  testing::fillChannel(window.traces(), 4, {{1.5f, 0}, {2.5f, 1}, {3.5f, 2}, {4.5f, 3}});
  const QByteArray old("old trace\r\n");
  ASSERT_TRUE(writeFile(path("plain"), old) && QDir(files.path()).mkpath("sub/inner") &&
              QDir(files.path()).mkdir("full") && writeFile(path("full/keep.kvr"), old));
  // Target, channel, size limit (0: none), language, words of the message.
  for (const auto& [target, channel, sizeLimit, langCode, words] :
       std::vector<std::tuple<QString, int, rlim_t, int, const char*>>{
           {path("plain") + "/trace.kvr", 4, 0, 0, "konnte nicht gespeichert werden"},
           {path("sub"), 4, 0, 2, "could not be saved"},
           {path("full/keep.kvr"), 5, 4096, 0,
            "Eine vorhandene Datei dieses Namens ist unverändert"},
           {path("full/keep.kvr"), 4, 16, 1, "An existing file of this name is unchanged"}}) {
    SCOPED_TRACE(sizeLimit);
    context.LangCode = langCode;
    ProgramCatalogue::install(langCode);
    messages.clear();
    std::optional<FileSizeLimit> limit;
    ASSERT_TRUE(sizeLimit == 0 || limit.emplace(sizeLimit).active());
    EXPECT_FALSE(traceFiles.saveTo(channel, target));
    limit.reset();
    ASSERT_EQ(messages.size(), 1);
    const QString& text = messages[0];
    // The system's reason stands on the line after the file name.
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(target)) &&
                text.contains(QString::fromUtf8(words)) &&
                text.section('\n', 1, 1).trimmed().size() > 3)
        << text.toStdString();
    EXPECT_EQ(std::pair(contentsOf(path("plain")), contentsOf(path("full/keep.kvr"))),
              std::pair(old, old));
    EXPECT_EQ(entries(files.path(), QDir::AllEntries) + entries(path("full"), QDir::Files),
              (QStringList{"full", "plain", "sub", "keep.kvr"}));
  }
  ProgramCatalogue::install(0);  // the German texts the other tests expect
  // Without the limit the same save goes through and replaces the old file.
  EXPECT_TRUE(traceFiles.saveTo(4, path("full/keep.kvr")));
  EXPECT_EQ(contentsOf(path("full/keep.kvr")).left(7),
            QByteArray("1") + SystemLocale::decimalSeparator() + "5;0\r\n");
}

}  // namespace
}  // namespace kelvor
