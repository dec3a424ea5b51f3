// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NamedJournal.h"

namespace kelvor {

namespace {
std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}
}  // namespace

NamedJournal::NamedJournal(const std::string& path)
    : name_(path.substr(path.rfind('/') + 1)), file_(folderOf(path)) {}

JournalFault NamedJournal::open(const std::string&) {
  const JournalFault fault = file_.open(name_);
  const std::string part = file_.path();
  const std::string journal = part.substr(0, part.size() - std::string(".part").size());
  if (fault.error == 0 && journal.substr(journal.rfind('/') + 1) != name_ && onOtherName_)
    onOtherName_(journal);
  return fault;
}

}  // namespace kelvor
