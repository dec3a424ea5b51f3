#include "platform/JournalFile.h"

#include <gtest/gtest.h>
#include <sys/file.h>

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

}  // namespace
}  // namespace kelvor
