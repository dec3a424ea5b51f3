#pragma once

#include "core/journal/JournalKeeper.h"

namespace kelvor {

// A journal written to an open file descriptor such as standard output: nothing to create,
// lock or rename; every append is written out at once.
class StreamJournal : public JournalSink {
 public:
  explicit StreamJournal(int fd) : fd_(fd) {}

  JournalFault open(const std::string&) override { return {}; }
  JournalFault append(const std::string& bytes) override;
  // A pipe or terminal cannot be synced; that is no fault.
  JournalFault sync() override { return {}; }
  JournalFault finish() override { return {}; }
  void abandon() override {}

 private:
  int fd_;
};

}  // namespace kelvor
