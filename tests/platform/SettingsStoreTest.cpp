#include "platform/SettingsStore.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>
#include <tuple>
#include <vector>

#include "support/ConfigHome.h"
#include "support/FileSizeLimit.h"

namespace kelvor {
namespace {

// A settings file of its own in a fresh folder: QSettings caches files by name.
class SettingsFile {
 public:
  SettingsFile() : path_(dir_.filePath(QStringLiteral("Kelvor/Kelvor.conf"))), store_(path_) {}
  QString path() const { return path_; }
  QString folder() const { return dir_.filePath(QStringLiteral("Kelvor")); }
  const SettingsStore& store() const { return store_; }

  // Writes the file as a user's editor would.
  void writeRaw(const QByteArray& text) const {
    QDir().mkpath(folder());
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
  }
  QByteArray raw() const {
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  StoredSettings read() const { return StoredSettings::read(store_.lookup(), ','); }

 private:
  QTemporaryDir dir_;
  QString path_;
  SettingsStore store_;
};

ino_t inodeOf(const QString& path) {
  struct stat info {};
  return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

TEST(SettingsStore, LivesInTheUsersConfigFolderAndFirstRunWritesNothing) {
  const testing::ConfigHome home;
  EXPECT_EQ(SettingsStore().filePath(), home.filePath(QStringLiteral("Kelvor/Kelvor.conf")));
  const SettingsFile file;
  EXPECT_EQ(file.read().texts(), StoredSettings().texts());
  EXPECT_FALSE(QFile::exists(file.path()));
}

TEST(SettingsStore, EveryValueIsATextUnderItsKey) {
  const SettingsFile file;
  StoredSettings s;
  s.Port = 12;
  s.SavedLeft = -15;
  s.SavedWidth = 10500;
  ASSERT_TRUE(file.store().write(s.texts()));

  // Texts, not typed values: the file reads the same for any reader of ini files.
  EXPECT_EQ(file.raw().toStdString(),
            "[Settings]\nAutoScale=1\nBPS=1200\nDevice=0\nPort=12\nPrintColored=0\nwHeight=0\n"
            "wLeft=-15\nwState=0\nwTop=0\nwWidht=10500\n");
  EXPECT_EQ(file.read().texts(), s.texts());
}

// Only what the ini reader may make of a hand-edited line; the text rules themselves belong
// to the stored settings.
TEST(SettingsStore, HandEditedLinesReadAsTheirText) {
  // An unquoted comma makes a list for the ini reader; the program wants the text "2,5".
  for (const auto& [line, port] : {std::pair{"Port=\"12\"", 12}, {"Port=2,5", 2}, {"Port=", 1}}) {
    SCOPED_TRACE(line);
    const SettingsFile file;
    file.writeRaw(QByteArray("[Settings]\n") + line + "\n");
    EXPECT_EQ(file.read().Port, port);
  }
}

// Other keys and groups stay, a damaged file becomes a readable one, and the file is
// replaced in one step: a second name for the old file still shows the old contents.
TEST(SettingsStore, WritingKeepsOtherKeysAndReplacesTheFileInOneStep) {
  const SettingsFile file;
  const QByteArray before =
      "[Other]\nkept=yes\n[Settings]\nwLeft=100\nwTop=200\nwWidht=10500\nwHeight=7200\n"
      "\x01\x02 stray line\nExtra=also kept\n";
  file.writeRaw(before);
  const QString oldName = file.folder() + QStringLiteral("/old.conf");
  ASSERT_EQ(
      ::link(QFile::encodeName(file.path()).constData(), QFile::encodeName(oldName).constData()),
      0);
  const ino_t oldInode = inodeOf(file.path());

  StoredSettings s = file.read();
  s.SavedState = StoredSettings::StateMaximised;
  s.SavedLeft = 1;  // not written: the window is maximised
  ASSERT_TRUE(file.store().write(s.texts()));

  const StoredSettings back = file.read();
  EXPECT_EQ(std::tuple(back.SavedState, back.SavedLeft, back.SavedTop, back.SavedWidth),
            std::tuple(2, 100, 200, 10500));
  EXPECT_EQ(file.store().value("Extra"), "also kept");
  QSettings plain(file.path(), QSettings::IniFormat);
  EXPECT_EQ(plain.status(), QSettings::NoError);
  EXPECT_EQ(plain.value(QStringLiteral("Other/kept")).toString(), QLatin1String("yes"));
  EXPECT_NE(inodeOf(file.path()), oldInode);
  QFile old(oldName);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), before);
  EXPECT_EQ(QDir(file.folder()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            (QStringList{"Kelvor.conf", "old.conf"}));
}

TEST(SettingsStore, FailedWriteIsReportedAndChangesNothing) {
  enum class Fault { FolderIsAFile, FileIsAFolder, FileSizeLimit };
  for (const Fault fault : {Fault::FolderIsAFile, Fault::FileIsAFolder, Fault::FileSizeLimit}) {
    SCOPED_TRACE(static_cast<int>(fault));
    const SettingsFile file;
    const QByteArray before = "[Settings]\nPort=3\n";
    file.writeRaw(before);
    if (fault == Fault::FolderIsAFile) {
      ASSERT_TRUE(QDir(file.folder()).removeRecursively());
      QFile blocker(file.folder());
      ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    } else if (fault == Fault::FileIsAFolder) {
      ASSERT_TRUE(QFile::remove(file.path()) && QDir().mkpath(file.path()));
    }
    std::optional<FileSizeLimit> limit;
    // Smaller than the new contents, and than any buffer a writer may keep.
    if (fault == Fault::FileSizeLimit) limit.emplace(24);
    EXPECT_FALSE(file.store().write(StoredSettings().texts()));
    limit.reset();
    EXPECT_EQ(file.raw(), fault == Fault::FileSizeLimit ? before : QByteArray());
    EXPECT_EQ(QDir(file.folder()).entryList(QDir::Files | QDir::Hidden),
              fault == Fault::FileSizeLimit ? QStringList{"Kelvor.conf"} : QStringList());
  }
}

}  // namespace
}  // namespace kelvor
