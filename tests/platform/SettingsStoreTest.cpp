// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsStore.h"

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
struct SettingsFile {
  // Writes the file as a user's editor would.
  void writeRaw(const QByteArray& text) const {
    QDir().mkpath(folder);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
  }
  QByteArray raw() const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  StoredSettings read() const { return StoredSettings::read(store.lookup(), ','); }
  QStringList files() const {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
  }

  QTemporaryDir dir;
  QString folder = dir.filePath(QStringLiteral("Kelvor")), path = folder + "/Kelvor.conf";
  SettingsStore store{path};
};

// The file lives in the user's config folder; a first run reads the defaults and writes nothing.
TEST(SettingsStore, EveryValueIsATextUnderItsKey) {
  const testing::ConfigHome home;
  EXPECT_EQ(SettingsStore().filePath(), home.filePath(QStringLiteral("Kelvor/Kelvor.conf")));
  const SettingsFile file;
  StoredSettings s;
  EXPECT_TRUE(file.read().texts() == s.texts() && !QFile::exists(file.path));
  s.Port = 12, s.NetAddress = "rfc2217://[::1]:2001", s.PrintColored = true;
  s.AutoScale = s.Journal = false, s.SavedLeft = -15, s.SavedWidth = 10500;
  ASSERT_TRUE(file.store.write(s.texts()));

  // Texts, not typed values: the file reads the same for any reader of ini files.
  EXPECT_EQ(file.raw().toStdString(),
            "[Settings]\nAutoScale=0\nBPS=1200\nDevice=0\nJournal=0\nNetAddress=rfc2217://"
            "[::1]:2001\nPort=12\nPrintColored=1\nwHeight=0\n"
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

// Other keys and groups stay, a damaged file becomes a readable one, and nothing is left
// beside it (that the file is replaced in one step shows where a write fails).
TEST(SettingsStore, WritingKeepsOtherKeysAndReplacesTheFileInOneStep) {
  const SettingsFile file;
  const QByteArray before =
      "[Other]\nkept=yes\n[Settings]\nwLeft=100\nwTop=200\nwWidht=10500\nwHeight=7200\n"
      "\x01\x02 stray line\nExtra=also kept\n";
  file.writeRaw(before);

  StoredSettings s = file.read();
  s.SavedState = StoredSettings::StateMaximised;
  s.SavedLeft = 1;  // not written: the window is maximised
  ASSERT_TRUE(file.store.write(s.texts()));

  const StoredSettings back = file.read();
  EXPECT_EQ(std::tuple(back.SavedState, back.SavedLeft, back.SavedTop, back.SavedWidth),
            std::tuple(2, 100, 200, 10500));
  EXPECT_EQ(file.store.value("Extra"), "also kept");
  QSettings plain(file.path, QSettings::IniFormat);
  EXPECT_EQ(std::pair(plain.status(), plain.value(QStringLiteral("Other/kept")).toString()),
            std::pair(QSettings::NoError, QStringLiteral("yes")));
  EXPECT_EQ(file.files(), QStringList{"Kelvor.conf"});
  // It may hold the broker's password: nobody else reads it.
  EXPECT_FALSE(QFile::permissions(file.path) & (QFile::ReadGroup | QFile::ReadOther));
}

// The file cannot be replaced (a folder of its name), or the write is cut short.
TEST(SettingsStore, FailedWriteIsReportedAndChangesNothing) {
  for (const bool cutShort : {false, true}) {
    SCOPED_TRACE(cutShort);
    const SettingsFile file;
    const QByteArray before = "[Settings]\nPort=3\n";
    file.writeRaw(before);
    ASSERT_TRUE(cutShort || (QFile::remove(file.path) && QDir().mkpath(file.path)));
    std::optional<FileSizeLimit> limit;
    if (cutShort) limit.emplace(24);  // less than the new contents and any writer's buffer
    EXPECT_FALSE(file.store.write(StoredSettings().texts()));
    limit.reset();
    EXPECT_EQ(file.raw(), cutShort ? before : QByteArray());
    EXPECT_EQ(file.files(), cutShort ? QStringList{"Kelvor.conf"} : QStringList());
  }
}

}  // namespace
}  // namespace kelvor
