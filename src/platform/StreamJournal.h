// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/journal/JournalKeeper.h"

namespace kelvor {

// A journal written as a stream, such as to standard output or to a device or FIFO named by
// the user: nothing to create, lock or rename; every append is written out at once.
class StreamJournal : public JournalSink {
 public:
  explicit StreamJournal(int fd) : fd_(fd), name_("-") {}
  // A device or FIFO, opened for writing when the journal opens.
  explicit StreamJournal(std::string path) : name_(std::move(path)), owned_(true) {}
  ~StreamJournal() override { abandon(); }
  StreamJournal(const StreamJournal&) = delete;
  StreamJournal& operator=(const StreamJournal&) = delete;

  // Whether a path names a character device or FIFO, which take a journal as a stream.
  static bool isStream(const std::string& path);

  JournalFault open(const std::string&) override;
  JournalFault append(const std::string& bytes) override;
  // A pipe or terminal cannot be synced; that is no fault.
  JournalFault sync() override { return {}; }
  JournalFault finish() override;
  void abandon() override { finish(); }
  // The stream's name ("-" for standard output), open or not.
  std::string path() const override { return name_; }

 private:
  int fd_ = -1;
  std::string name_;    // for messages
  bool owned_ = false;  // opened and closed here
};

}  // namespace kelvor
