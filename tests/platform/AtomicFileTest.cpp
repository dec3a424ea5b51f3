#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "support/FileSizeLimit.h"

namespace kelvor {
namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A write that fails part-way keeps the old file byte for byte and leaves nothing behind,
// however little was still waiting to be written when the limit struck.
TEST(AtomicFile, AWriteCutShortKeepsTheOldFile) {
  struct Case {
    const char* name;
    int newBytes;
    rlim_t limit;
  };
  const Case cases[] = {
      {"a handful of samples, more than the limit", 60, 16},
      {"more than a write buffer holds", 3 * 16384 + 7, 4096},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.kvr"));
    const QByteArray old("1,5;0\r\n2,5;1\r\n");
    {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    }
    std::optional<QString> failure;
    {
      const FileSizeLimit limit(c.limit);
      ASSERT_TRUE(limit.active());
      failure = AtomicFile::write(path, QByteArray(c.newBytes, '7'));
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->trimmed().isEmpty());
    EXPECT_EQ(contentsOf(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("keep.kvr")});
  }
}

TEST(AtomicFile, ACompleteWriteReplacesTheFile) {
  const QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("keep.kvr"));
  ASSERT_FALSE(AtomicFile::write(path, "old").has_value());
  ASSERT_FALSE(AtomicFile::write(path, "new contents").has_value());
  EXPECT_EQ(contentsOf(path), QByteArray("new contents"));
  EXPECT_TRUE(AtomicFile::write(dir.filePath(QStringLiteral("missing/x")), "x").has_value());
}

}  // namespace
}  // namespace kelvor
