#include "ui/commands/TraceFileCommands.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <optional>
#include <vector>

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
};

// A file that cannot be read or is too large or endless is reported once, naming it, and
// changes neither the channel nor the recording (malformed files: core and end to end).
TEST_F(TraceFileCommandsTest, FailedLoadChangesNothing) {
  window.controls().optColor[2]->click();
  window.controls().chkActive->click();
  window.recording().Running = true;
  const LocalSeconds start = window.recording().StartTime;
  for (const auto& [file, tooLarge] :
       {std::pair{path("missing.kvr"), false}, {QString("/dev/zero"), true}}) {
    SCOPED_TRACE(file.toStdString());
    testing::fillChannel(window.traces(), 2, {{4, 0}, {5, 1}});
    messages.clear();
    EXPECT_FALSE(traceFiles.loadFrom(2, file));
    ASSERT_EQ(messages.size(), 1);
    const QString& text = messages[0];
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(file))) << text.toStdString();
    EXPECT_EQ(text.contains(" 64 MB)."), tooLarge) << text.toStdString();
    EXPECT_EQ(std::tuple(window.traces().count(2), window.controls().chkActive->isChecked(),
                         window.recording().Running, window.recording().StartTime),
              std::tuple(2, true, true, start));
  }
}

// A journal loads under either language by replaying its readings into the channel; a
// malformed one names its line and changes nothing.
TEST_F(TraceFileCommandsTest, AJournalIsReplayedIntoTheChannel) {
  traceFiles.setReplay([this](const std::vector<JournalRow>& rows, int channel) {
    window.meter().session().replay(rows, channel);
  });
  const QByteArray german =
      "time;utc;elapsed_s;channel;value;unit;mode;status;raw\r\n"
      "t;u;0,000;1;1,5;V;DC;ok;r\r\nt;u;1,000;1;;V;DC;overload;r\r\nt;u;2,000;1;2,5;V;DC;ok;r\r\n";
  QByteArray english = german;
  english.replace(',', '.').replace(';', ',');
  for (const QByteArray& journal : {german + "t;u;3,000;1;x;V;DC;ok;r\r\n", german, english}) {
    ASSERT_TRUE(writeFile(path("day.csv"), journal));
    messages.clear();
    const bool loaded = traceFiles.loadFrom(1, path("day.csv"));
    EXPECT_EQ(loaded, messages.isEmpty());
    EXPECT_EQ(loaded, journal.size() <= german.size());
    EXPECT_EQ(messages.join("").contains("day.csv was not loaded.\nLine 5: The line is not a row"),
              !loaded);
    // Stored as a live recording would have: the first reading at once, the others as due.
    EXPECT_EQ(window.traces().value(1, 1) + window.traces().time(1, 1), loaded ? 1.5f : 6.2f);
  }
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
  ASSERT_TRUE(writeFile(path("plain"), old));
  ASSERT_TRUE(QDir(files.path()).mkpath(QStringLiteral("sub/inner")));
  ASSERT_TRUE(QDir(files.path()).mkdir(QStringLiteral("full")));
  ASSERT_TRUE(writeFile(path("full/keep.kvr"), old));
  struct Case {
    QString target;
    int channel;
    rlim_t sizeLimit;  // 0: none
    int langCode;
    const char* words;
  };
  const std::vector<Case> cases = {
      {path("plain") + "/trace.kvr", 4, 0, 0, "konnte nicht gespeichert werden"},
      {path("sub"), 4, 0, 2, "could not be saved"},
      {path("full/keep.kvr"), 5, 4096, 0, "Eine vorhandene Datei dieses Namens ist unverändert"},
      {path("full/keep.kvr"), 4, 16, 1, "An existing file of this name is unchanged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sizeLimit);
    context.LangCode = c.langCode;
    messages.clear();
    std::optional<FileSizeLimit> limit;
    ASSERT_TRUE(c.sizeLimit == 0 || limit.emplace(c.sizeLimit).active());
    EXPECT_FALSE(traceFiles.saveTo(c.channel, c.target));
    limit.reset();
    ASSERT_EQ(messages.size(), 1);
    const QString& text = messages[0];
    // The system's reason stands on the line after the file name.
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(c.target)) &&
                text.contains(QString::fromUtf8(c.words)) &&
                text.section('\n', 1, 1).trimmed().size() > 3)
        << text.toStdString();
    EXPECT_EQ(std::pair(contentsOf(path("plain")), contentsOf(path("full/keep.kvr"))),
              std::pair(old, old));
    EXPECT_EQ(QDir(files.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"full", "plain", "sub"}));
    EXPECT_EQ(QDir(path("full")).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.kvr"});
  }
  // Without the limit the same save goes through and replaces the old file.
  EXPECT_TRUE(traceFiles.saveTo(4, path("full/keep.kvr")));
  EXPECT_EQ(contentsOf(path("full/keep.kvr")).left(7),
            QByteArray("1") + SystemLocale::decimalSeparator() + "5;0\r\n");
}

}  // namespace
}  // namespace kelvor
