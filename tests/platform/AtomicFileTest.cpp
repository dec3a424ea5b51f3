#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/FileSizeLimit.h"

namespace kelvor {
namespace {

// A write that fails part-way keeps the old file byte for byte and leaves nothing behind,
// however little was still waiting to be written when the limit struck; without the limit
// the same write replaces the file.
TEST(AtomicFile, AWriteCutShortKeepsTheOldFile) {
  for (const int newBytes : {60, 3 * 16384 + 7}) {
    SCOPED_TRACE(newBytes);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.kvr"));
    const QByteArray old("1,5;0\r\n2,5;1\r\n");
    ASSERT_FALSE(AtomicFile::write(path, old).has_value());
    const QByteArray bytes(newBytes, '7');
    {
      const FileSizeLimit limit(16);
      ASSERT_TRUE(limit.active());
      const std::optional<QString> failure = AtomicFile::write(path, bytes);
      ASSERT_TRUE(failure.has_value());
      EXPECT_FALSE(failure->trimmed().isEmpty());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("keep.kvr")});
    ASSERT_FALSE(AtomicFile::write(path, bytes).has_value());
    EXPECT_EQ(QFile(path).size(), newBytes);
  }
}

}  // namespace
}  // namespace kelvor
