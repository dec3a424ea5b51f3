// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "platform/JournalFile.h"

namespace kelvor {

// A journal file of a name of the user's choosing ("run.csv", written as "run.csv.part"
// until it is finished) instead of one named by its start and port.
class NamedJournal : public JournalSink {
 public:
  explicit NamedJournal(const std::string& path);

  // Called with the journal's path when a file of the chosen name exists, so that the
  // journal got another name ("run-2.csv").
  void setOtherNameHandler(std::function<void(const std::string&)> handler) {
    onOtherName_ = std::move(handler);
  }

  JournalFault open(const std::string&) override;
  JournalFault append(const std::string& bytes) override { return file_.append(bytes); }
  JournalFault sync() override { return file_.sync(); }
  JournalFault finish() override { return file_.finish(); }
  void abandon() override { file_.abandon(); }

  std::string path() const override { return file_.path(); }

 private:
  std::string name_;
  JournalFile file_;
  std::function<void(const std::string&)> onOtherName_;
};

}  // namespace kelvor
