// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JournalFile.h"

#include <gtest/gtest.h>
#include <sys/file.h>

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "support/FileSizeLimit.h"

namespace kelvor {
namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

TEST(JournalFile, APartFileIsLockedWhileOpenAndRenamedAtTheEnd) {
  const QTemporaryDir dir;
  const std::string folder = dir.filePath("data/Kelvor/recordings").toStdString();
  JournalFile first(folder), second(folder);
  ASSERT_EQ(first.open("2026-12-06_14-03-07_COM1.csv").error, 0);
  ASSERT_EQ(first.append("time\r\n").error + first.append("1\r\n").error, 0);
  // Another recording of the same second and port gets a name of its own.
  ASSERT_EQ(second.open("2026-12-06_14-03-07_COM1.csv").error, 0);
  EXPECT_EQ(second.path(), folder + "/2026-12-06_14-03-07_COM1-2.csv.part");
  const QString part = QString::fromStdString(first.path());
  EXPECT_EQ(contentsOf(part), "time\r\n1\r\n");  // with the system before any sync
  const int other = ::open(first.path().c_str(), O_RDONLY);
  EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(first.sync().error + first.finish().error, 0);
  EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ::close(other);
  EXPECT_FALSE(QFile::exists(part));
  EXPECT_EQ(contentsOf(part.chopped(5)), "time\r\n1\r\n");
}

// A journal that never took an append whole (a full disk) leaves nothing behind; one that a
// crash left without a complete row is removed when the unfinished ones are looked for.
TEST(JournalFile, AJournalWithoutARowLeavesNothing) {
  const QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  JournalFile full(folder);
  ASSERT_EQ(full.open("full.csv").error, 0);
  {
    const FileSizeLimit limit(16);
    ASSERT_TRUE(limit.active());
    EXPECT_EQ(full.append(std::string(40, 'x')).error, EFBIG);
  }
  full.abandon();
  for (const char* bytes : {"time\r\n", "time\r\n1", "time\r\n1\r\n"}) {
    QFile part(dir.filePath(QString::number(std::strlen(bytes)) + ".csv.part"));
    ASSERT_TRUE(part.open(QIODevice::WriteOnly) && part.write(bytes) > 0);
  }
  EXPECT_EQ(JournalFile::unfinished(folder), std::vector<std::string>{folder + "/9.csv.part"});
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"9.csv.part"});
}

}  // namespace
}  // namespace kelvor
