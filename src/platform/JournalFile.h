// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/journal/JournalKeeper.h"

namespace kelvor {

// A journal in a folder on disk: "<name>.part" while it is written, with an advisory lock
// (flock) that tells a later start that a program still holds it; renamed to "<name>" when
// the recording ends cleanly. Every append is one write() to the system.
class JournalFile : public JournalSink {
 public:
  explicit JournalFile(std::string folder = recordingsFolder()) : folder_(std::move(folder)) {}
  ~JournalFile() override { abandon(); }
  JournalFile(const JournalFile&) = delete;
  JournalFile& operator=(const JournalFile&) = delete;

  // $XDG_DATA_HOME/Kelvor/recordings, by default ~/.local/share/Kelvor/recordings.
  static std::string recordingsFolder();

  // The ".part" journals of the folder that no program holds: recordings that ended
  // unexpectedly. Those without a single complete row are removed on the way.
  static std::vector<std::string> unfinished(const std::string& folder = recordingsFolder());
  // Renames such a journal to its ".csv" name; false when the system refuses.
  static bool keep(const std::string& partPath);

  JournalFault open(const std::string& name) override;
  // The first append brings the header with the first row (see JournalKeeper).
  JournalFault append(const std::string& bytes) override;
  JournalFault sync() override;
  JournalFault finish() override;
  // Closes the file; one that no append reached whole (a full disk) is removed.
  void abandon() override;

  std::string path() const override { return fd_ < 0 ? std::string() : path_; }

 private:
  JournalFault fault(const std::string& path) const;

  std::string folder_;
  std::string path_;  // the ".part" file
  int fd_ = -1;
  bool written_ = false;  // an append reached the file whole
};

}  // namespace kelvor
