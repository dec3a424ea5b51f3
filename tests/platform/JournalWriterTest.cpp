// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JournalWriter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <future>
#include <thread>

namespace kelvor {
namespace {

// What the file layer below the writer saw; it waits for `gate` before each call.
struct FileLog {
  std::shared_future<void> gate;
  std::string failing;        // the call that fails
  std::promise<void> second;  // the second journal was opened
  std::vector<std::string> calls;
};

class GatedFile : public JournalSink {
 public:
  explicit GatedFile(FileLog& log) : log_(log) {}
  JournalFault open(const std::string& name) override { return call("open " + (name_ = name)); }
  JournalFault append(const std::string& bytes) override { return call("append " + bytes); }
  JournalFault sync() override { return call("sync"); }
  JournalFault finish() override { return call("finish"); }
  void abandon() override { call("abandon"); }

 private:
  JournalFault call(const std::string& what) {
    log_.gate.wait();
    log_.calls.push_back(what);
    if (what == "open b") log_.second.set_value();
    return what == log_.failing ? JournalFault{ENOSPC, name_} : JournalFault{};
  }
  FileLog& log_;
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
    FileLog log{gate.get_future().share(), c.failing, {}, {}};
    std::vector<std::string> told;
    JournalWriter writer(std::make_unique<GatedFile>(log),
                         [&, thread = std::this_thread::get_id()](const JournalFault& fault) {
                           EXPECT_EQ(std::this_thread::get_id(), thread);
                           EXPECT_EQ(fault.error, ENOSPC);
                           told.push_back(fault.path);
                         });
    // None of these may wait for the file layer.
    for (const char* name : {"a", "b"}) {
      writer.open(name);
      writer.append(name);
      writer.sync();
      writer.finish();
    }
    EXPECT_TRUE(log.calls.empty() && told.empty());
    gate.set_value();
    log.second.get_future().wait();  // the worker goes on by itself
    writer.close();                  // the end of the program: everything queued is done and told
    EXPECT_EQ(log.calls, c.done);
    EXPECT_EQ(told, c.told);
    writer.open("c");  // after the end, at once
    EXPECT_EQ(log.calls.back(), "open c");
  }
}

}  // namespace
}  // namespace kelvor
