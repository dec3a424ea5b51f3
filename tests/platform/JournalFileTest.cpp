#include "platform/JournalFile.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

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

// A read-only folder and a full file system: each fault names the file and the reason.
TEST(JournalFile, FaultsOfTheFileSystemAreReturnedWithTheFile) {
  const QTemporaryDir dir;
  const std::string mountPoint = dir.path().toStdString();
  const std::string folder = mountPoint + "/recordings";
  for (const auto& [options, error] :
       {std::pair<const char*, int>{"size=8k", ENOSPC}, {"", EROFS}}) {
    SCOPED_TRACE(error);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", *options ? 0 : MS_RDONLY, options) != 0)
      GTEST_SKIP() << "no tmpfs may be mounted here";
    JournalFile journal(folder);
    JournalFault fault = journal.open("a.csv");
    if (fault.error == 0) fault = journal.append(std::string(64 * 1024, 'x'));
    EXPECT_EQ(fault.error, error);
    EXPECT_EQ(fault.path, error == EROFS ? folder : folder + "/a.csv.part");
    journal.abandon();
    ASSERT_EQ(::umount(mountPoint.c_str()), 0);
  }
}

}  // namespace
}  // namespace kelvor
