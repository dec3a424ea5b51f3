#pragma once

#include <string>

#include "platform/JournalFile.h"

namespace kelvor {

// A journal file of a name of the user's choosing ("run.csv", written as "run.csv.part"
// until it is finished) instead of one named by its start and port.
class NamedJournal : public JournalSink {
 public:
  explicit NamedJournal(const std::string& path);

  JournalFault open(const std::string&) override { return file_.open(name_); }
  JournalFault append(const std::string& bytes) override { return file_.append(bytes); }
  JournalFault sync() override { return file_.sync(); }
  JournalFault finish() override { return file_.finish(); }
  void abandon() override { file_.abandon(); }

  std::string path() const { return file_.path(); }

 private:
  std::string name_;
  JournalFile file_;
};

}  // namespace kelvor
