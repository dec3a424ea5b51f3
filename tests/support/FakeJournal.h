// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/journal/JournalKeeper.h"

namespace kelvor::testing {

// A journal's files as calls: "open NAME", "+BYTES" (rows without their CR LF), "sync",
// "finish"; a call may fail.
struct FakeJournal : JournalSink {
  JournalFault call(const std::string& what) {
    calls.push_back(what);
    return {what.rfind(failing, 0) == 0 && !failing.empty() ? 28 : 0, "j.part"};
  }
  JournalFault open(const std::string& name) override { return call("open " + name); }
  JournalFault append(const std::string& bytes) override {
    return call("+" + bytes.substr(0, bytes.size() - 2));
  }
  JournalFault sync() override { return call("sync"); }
  JournalFault finish() override { return call("finish"); }
  void abandon() override { calls.push_back("abandon"); }
  std::vector<std::string> calls;
  std::string failing;  // calls that start so fail with ENOSPC
};

}  // namespace kelvor::testing
