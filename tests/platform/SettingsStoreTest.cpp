#include "platform/SettingsStore.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <vector>

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

TEST(SettingsStore, FirstRunReadsTheDefaultsAndWritesNothing) {
  const SettingsFile file;
  const StoredSettings s = file.read();
  EXPECT_FALSE(s.PrintColored);
  EXPECT_TRUE(s.AutoScale);
  EXPECT_EQ(s.Port, 1);
  EXPECT_EQ(s.BPS, 1200);
  EXPECT_EQ(s.Device, 0);
  EXPECT_EQ(s.SavedWidth, 0);
  EXPECT_FALSE(QFile::exists(file.path()));
}

TEST(SettingsStore, DefaultPlaceIsTheUsersConfigFolder) {
  QTemporaryDir home;
  const bool hadHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
  EXPECT_EQ(SettingsStore().filePath(), home.filePath(QStringLiteral("Kelvor/Kelvor.conf")));
  if (hadHome) {
    qputenv("XDG_CONFIG_HOME", oldHome);
  } else {
    qunsetenv("XDG_CONFIG_HOME");
  }
}

TEST(SettingsStore, EveryValueIsATextUnderItsKey) {
  const SettingsFile file;
  StoredSettings s;
  s.PrintColored = true;
  s.AutoScale = false;
  s.Port = 12;
  s.BPS = 9600;
  s.Device = 1;
  s.SavedLeft = -15;
  s.SavedTop = 300;
  s.SavedWidth = 10500;
  s.SavedHeight = 7200;
  ASSERT_TRUE(file.store().write(s.texts()));

  const std::map<QString, QString> expected = {
      {"PrintColored", "1"}, {"AutoScale", "0"}, {"Port", "12"},   {"BPS", "9600"},
      {"Device", "1"},       {"wState", "0"},    {"wLeft", "-15"}, {"wTop", "300"},
      {"wWidht", "10500"},   {"wHeight", "7200"}};
  QSettings plain(file.path(), QSettings::IniFormat);
  EXPECT_EQ(plain.childGroups(), QStringList{QStringLiteral("Settings")});
  plain.beginGroup(QStringLiteral("Settings"));
  EXPECT_EQ(plain.childKeys().size(), static_cast<int>(expected.size()));
  for (const auto& [key, text] : expected) {
    SCOPED_TRACE(key.toStdString());
    const QVariant value = plain.value(key);
    EXPECT_EQ(value.typeId(), QMetaType::QString);
    EXPECT_EQ(value.toString(), text);
  }
  EXPECT_TRUE(file.raw().contains("wWidht=10500"));
  EXPECT_EQ(file.read().texts(), s.texts());
}

TEST(SettingsStore, KeysNotWrittenKeepTheirStoredValues) {
  const SettingsFile file;
  file.writeRaw(
      "[Other]\nkept=yes\n[Settings]\nwLeft=100\nwTop=200\nwWidht=10500\nwHeight=7200\n"
      "wState=0\nExtra=also kept\n");
  StoredSettings s = file.read();
  s.SavedState = StoredSettings::StateMaximised;
  s.SavedLeft = 1;  // would be wrong to write: the window is maximised
  ASSERT_TRUE(file.store().write(s.texts()));

  const StoredSettings back = file.read();
  EXPECT_EQ(back.SavedState, 2);
  EXPECT_EQ(back.SavedLeft, 100);
  EXPECT_EQ(back.SavedTop, 200);
  EXPECT_EQ(back.SavedWidth, 10500);
  EXPECT_EQ(back.SavedHeight, 7200);
  EXPECT_EQ(file.store().value("Extra"), "also kept");
  QSettings plain(file.path(), QSettings::IniFormat);
  EXPECT_EQ(plain.value(QStringLiteral("Other/kept")).toString(), QLatin1String("yes"));
}

TEST(SettingsStore, StoredTextsAsTheUserMayHaveEditedThem) {
  struct Case {
    const char* line;
    StoredSettings expected;
  };
  const auto with = [](auto change) {
    StoredSettings s;
    change(s);
    return s;
  };
  const std::vector<Case> cases = {
      {"AutoScale=0", with([](StoredSettings& s) { s.AutoScale = false; })},
      {"AutoScale=7", with([](StoredSettings& s) { s.AutoScale = true; })},
      {"PrintColored=1", with([](StoredSettings& s) { s.PrintColored = true; })},
      {"wWidht=-12000", with([](StoredSettings& s) { s.SavedWidth = 12000; })},
      {"wHeight=-7000.6", with([](StoredSettings& s) { s.SavedHeight = 7001; })},
      {"Device=3", with([](StoredSettings& s) { s.Device = 3; })},
      {"Port=COM3", with([](StoredSettings&) {})},
      {"Port=drei", with([](StoredSettings&) {})},
      {"Port=", with([](StoredSettings&) {})},
      {"Port=\"12\"", with([](StoredSettings& s) { s.Port = 12; })},
      // An unquoted comma: the ini reader sees a list, the program the text "2,5".
      {"Port=2,5", with([](StoredSettings& s) { s.Port = 2; })},
      {"BPS=fast", with([](StoredSettings&) {})},
      {"Device=x", with([](StoredSettings&) {})},
      {"wState=abc", with([](StoredSettings&) {})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const SettingsFile file;
    file.writeRaw(QByteArray("[Settings]\n") + c.line + "\n");
    EXPECT_EQ(file.read().texts(), c.expected.texts());
  }
}

TEST(SettingsStore, WritingReplacesTheFileInOneStep) {
  const SettingsFile file;
  const QByteArray before = "[Settings]\nPort=3\nBPS=2400\n";
  file.writeRaw(before);
  // A second name for the old file: rewriting in place would change what it shows.
  const QString oldName = file.folder() + QStringLiteral("/old.conf");
  ASSERT_TRUE(::link(QFile::encodeName(file.path()).constData(),
                     QFile::encodeName(oldName).constData()) == 0);
  const ino_t oldInode = inodeOf(file.path());

  StoredSettings s = file.read();
  s.Port = 4;
  ASSERT_TRUE(file.store().write(s.texts()));

  EXPECT_NE(inodeOf(file.path()), oldInode);
  QFile old(oldName);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), before);
  EXPECT_EQ(file.read().Port, 4);
  // Nothing half-written is left beside it.
  EXPECT_EQ(QDir(file.folder()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            (QStringList{"Kelvor.conf", "old.conf"}));
}

TEST(SettingsStore, DamagedFileIsReplacedByAReadableOne) {
  const SettingsFile file;
  file.writeRaw(QByteArray("[Settings]\nwLeft=500\n\x01\x02 stray line\nPort\n"));
  StoredSettings s = file.read();
  EXPECT_EQ(s.SavedLeft, 500);
  s.Port = 6;
  ASSERT_TRUE(file.store().write(s.texts()));
  QSettings plain(file.path(), QSettings::IniFormat);
  EXPECT_EQ(plain.status(), QSettings::NoError);
  EXPECT_EQ(file.read().texts(), s.texts());
}

TEST(SettingsStore, FailedWriteIsReportedAndChangesNothing) {
  enum class Fault { FolderIsAFile, FileIsAFolder, FileSizeLimit };
  for (const Fault fault : {Fault::FolderIsAFile, Fault::FileIsAFolder, Fault::FileSizeLimit}) {
    SCOPED_TRACE(static_cast<int>(fault));
    const SettingsFile file;
    const QByteArray before = "[Settings]\nPort=3\n";
    if (fault == Fault::FolderIsAFile) {
      QFile blocker(file.folder());
      ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    } else if (fault == Fault::FileIsAFolder) {
      ASSERT_TRUE(QDir().mkpath(file.path()));
    } else {
      file.writeRaw(before);
    }
    StoredSettings changed;
    changed.Port = 4;
    {
      // Smaller than the new contents, and than any buffer a writer may keep.
      std::optional<FileSizeLimit> limit;
      if (fault == Fault::FileSizeLimit) limit.emplace(24);
      EXPECT_FALSE(file.store().write(changed.texts()));
    }
    if (fault == Fault::FileSizeLimit) {
      EXPECT_EQ(file.raw(), before);
      EXPECT_EQ(QDir(file.folder()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                QStringList{"Kelvor.conf"});
    } else {
      EXPECT_EQ(file.read().texts(), StoredSettings().texts());
    }
  }
}

}  // namespace
}  // namespace kelvor
