// SPDX-License-Identifier: GPL-3.0-or-later
// The journal on disk: the file itself, and the writer that keeps it off the caller's thread.
#include "platform/JournalFile.h"
#include "platform/JournalWriter.h"

#include <gtest/gtest.h>
#include <sys/file.h>

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <future>
#include <thread>

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
  ASSERT_TRUE(first.open("2026-12-06_14-03-07_COM1.csv").error == 0 &&
              first.append("time\r\n").error == 0 && first.append("1\r\n").error == 0);
  // Another recording of the same second and port gets a name of its own.
  ASSERT_EQ(second.open("2026-12-06_14-03-07_COM1.csv").error, 0);
  EXPECT_EQ(second.path(), folder + "/2026-12-06_14-03-07_COM1-2.csv.part");
  const QString part = QString::fromStdString(first.path());
  EXPECT_EQ(contentsOf(part), "time\r\n1\r\n");  // with the system before any sync
  const int other = ::open(first.path().c_str(), O_RDONLY);
  EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_TRUE(first.sync().error == 0 && first.finish().error == 0);
  EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ::close(other);
  EXPECT_TRUE(!QFile::exists(part) && contentsOf(part.chopped(5)) == "time\r\n1\r\n");
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
    ASSERT_TRUE(limit.active() && full.append(std::string(40, 'x')).error == EFBIG);
  }
  full.abandon();
  for (const char* bytes : {"time\r\n", "time\r\n1", "time\r\n1\r\n"}) {
    QFile part(dir.filePath(QString::number(std::strlen(bytes)) + ".csv.part"));
    ASSERT_TRUE(part.open(QIODevice::WriteOnly) && part.write(bytes) > 0);
  }
  // Those that a program writes now are none of them, whether a row reached them or not.
  JournalFile opened(folder), writing(folder);
  ASSERT_TRUE(opened.open("opened.csv").error == 0 && writing.open("writing.csv").error == 0 &&
              writing.append("time\r\n1\r\n").error == 0);
  EXPECT_EQ(JournalFile::unfinished(folder), std::vector<std::string>{folder + "/9.csv.part"});
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
            QStringList({"9.csv.part", "opened.csv.part", "writing.csv.part"}));
}

// What the file layer below the writer saw; it waits for `gate` before each call.
struct FileLog {
  std::shared_future<void> gate;
  std::string failing;        // the call that fails
  std::promise<void> second;  // the second journal was opened
  std::vector<std::string> calls;
};

class GatedFile : public JournalSink {
 public:
  explicit GatedFile(std::shared_ptr<FileLog> log) : log_(std::move(log)) {}
  JournalFault open(const std::string& name) override { return call("open " + (name_ = name)); }
  JournalFault append(const std::string& bytes) override { return call("append " + bytes); }
  JournalFault sync() override { return call("sync"); }
  JournalFault finish() override { return call("finish"); }
  void abandon() override { call("abandon"); }

 private:
  JournalFault call(const std::string& what) {
    log_->gate.wait();
    log_->calls.push_back(what);
    if (what == "open b") log_->second.set_value();
    return what == log_->failing ? JournalFault{ENOSPC, name_} : JournalFault{};
  }
  std::shared_ptr<FileLog> log_;  // a worker left behind may outlive the test's scope
  std::string name_;
};

TEST(JournalWriter, CallsReturnWhileTheFileIsStuckAndAllArrivesInOrder) {
  const std::vector<std::string> all = {"open a", "append a", "sync", "finish",
                                        "open b", "append b", "sync", "finish"};
  const struct {
    std::string failing;
    std::vector<std::string> done;  // what reaches the file layer
    std::vector<std::string> told;  // the journals whose fault is told
  } cases[] = {
      {"", all, {}},
      // The rest of the failed journal is dropped; the next one tries again.
      {"append a",
       {"open a", "append a", "abandon", "open b", "append b", "sync", "finish"},
       {"a"}},
      {"open b", {"open a", "append a", "sync", "finish", "open b", "abandon"}, {"b"}},
      {"finish", all, {"a", "b"}},  // once per journal
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    std::promise<void> gate;
    auto shared = std::make_shared<FileLog>(FileLog{gate.get_future().share(), c.failing, {}, {}});
    FileLog& log = *shared;
    std::vector<std::string> told;
    JournalWriter writer(
        std::make_unique<GatedFile>(shared),
        [&, thread = std::this_thread::get_id()](const JournalFault& fault) {
          EXPECT_TRUE(std::this_thread::get_id() == thread && fault.error == ENOSPC);
          told.push_back(fault.path);
        });
    // None of these may wait for the file layer.
    for (const char* name : {"a", "b"})
      writer.open(name), writer.append(name), writer.sync(), writer.finish();
    EXPECT_TRUE(log.calls.empty() && told.empty());
    gate.set_value();
    log.second.get_future().wait();  // the worker goes on by itself
    writer.close();                  // the end of the program: everything queued is done and told
    EXPECT_EQ(std::pair(log.calls, told), std::pair(c.done, c.told));
    writer.open("c");  // after the end, at once
    EXPECT_EQ(log.calls.back(), "open c");
  }
}

// The end of the program waits for a stalled file layer only up to the limit, then names the
// journal still open and leaves the worker to it: nothing later waits or reaches the file.
TEST(JournalWriter, CloseGivesUpOnAStalledFileAtTheLimit) {
  std::promise<void> gate;
  const auto log = std::make_shared<FileLog>(FileLog{gate.get_future().share(), {}, {}, {}});
  const auto start = std::chrono::steady_clock::now();
  {
    JournalWriter writer(std::make_unique<GatedFile>(log), [](const JournalFault&) {});
    writer.open("b"), writer.append("b");
    EXPECT_FALSE(writer.close(std::chrono::milliseconds(300)));
    EXPECT_TRUE(std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(300) &&
                writer.path() == "b");
    writer.finish();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  gate.set_value();
  log->second.get_future().wait();  // the worker got on with it
}

}  // namespace
}  // namespace kelvor
