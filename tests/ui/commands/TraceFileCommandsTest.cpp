// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commands/TraceFileCommands.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/ProgramCatalogue.h"
#include "platform/SystemLocale.h"
#include "support/FileSizeLimit.h"
#include "support/StartedMainWindow.h"

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

class TraceFileCommandsTest : public testing::StartedMainWindow {
 protected:
  QString path(const char* name) const { return files.filePath(QLatin1String(name)); }
  QStringList entries(const QString& folder, QDir::Filters filter) const {
    return QDir(folder).entryList(filter | QDir::Hidden | QDir::NoDotAndDotDot);
  }
};

// A file that cannot be read, is too large or endless, or is a malformed journal is reported
// once, naming it (and the line), and changes neither the channel nor the recording. A journal
// loads by replaying its readings into the channel.
TEST_F(TraceFileCommandsTest, AJournalIsReplayedIntoTheChannelAndAFailedLoadChangesNothing) {
  traceFiles.setReplay([this](const std::vector<JournalRow>& rows, int channel) {
    window.meter().session().replay(rows, channel);
  });
  window.controls().plot.optColor[1]->click();
  window.controls().plot.chkActive->click();
  const RecordingState& state = window.recording();
  window.meter().session().recording().beginRun(window.meter().session().clock().moment());
  const auto before = std::tuple(state.running(), state.startTime());
  const QByteArray german = QByteArray(
                                "time;utc;elapsed_s;channel;value;unit;mode;status;raw\r\n"
                                "t;u;0,000;1;1,5;V;DC;ok;r\r\nt;u;1,000;1;;V;DC;overload;r\r\n"
                                "t;u;2,000;1;2,5;V;DC;ok;r\r\n")
                                .replace("t;u;", "2026-12-06 14:03:07;2026-12-06T13:03:07.120Z;");
  ASSERT_TRUE(writeFile(path("bad.csv"), german + "t;u;3,000;1;x;V;DC;ok;r\r\n") &&
              writeFile(path("de.csv"), german));
  for (const auto& [file, words] : std::vector<std::pair<QString, QString>>{
           {path("missing.kvr"), path("missing.kvr")},
           {"/dev/zero", "/dev/zero is too large for a trace (more than 64 MB)."},
           {path("bad.csv"), "bad.csv was not loaded.\nLine 5: The line is not a row"},
           {path("de.csv"), ""}}) {
    SCOPED_TRACE(file.toStdString());
    messages.clear();
    const bool loaded = traceFiles.loadFrom(1, file);
    EXPECT_EQ(loaded, words.isEmpty());
    EXPECT_TRUE(messages.size() == (loaded ? 0 : 1) && (loaded || messages[0].contains(words)))
        << messages.join("").toStdString();
    // Stored as a live recording would have: the first reading at once, the others as due.
    EXPECT_EQ(window.traces().value(1, 1) + window.traces().time(1, 1), loaded ? 1.5f : 6.2f);
    EXPECT_TRUE(loaded || (window.controls().plot.chkActive->isChecked() &&
                           std::tuple(state.running(), state.startTime()) == before));
  }
}

// The dialogs start in the user's documents folder (never the program's), then in the folder
// of the file chosen last.
TEST_F(TraceFileCommandsTest, DialogsStartInTheDocumentsFolderThenInTheOneLastUsed) {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QStringList started;
  const auto answer = [&started](const QString& file) {
    QTimer::singleShot(0, [&started, file] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      started << dialog->directory().absolutePath();
      dialog->selectFile(file);
      QMetaObject::invokeMethod(dialog, "accept");
    });
  };
  answer(path("a.kvr")), traceFiles.mnuFileSave_Click(0);
  answer(path("a.kvr")), traceFiles.mnuFileLoad_Click(0);
  EXPECT_EQ(started, QStringList({QFileInfo(documents).isDir() ? documents : QDir::homePath(),
                                  QDir(files.path()).absolutePath()}));
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
