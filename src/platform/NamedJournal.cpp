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

}  // namespace kelvor
