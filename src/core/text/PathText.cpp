// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/PathText.h"

namespace kelvor {

std::string withoutTrailingSeparator(const std::string& path) {
  if (path.size() < 2) return path;
  const char last = path.back();
  if (last != '/' && last != '\\') return path;
  if (path.size() >= 2 && path[path.size() - 2] == ':') return path;
  return path.substr(0, path.size() - 1);
}

}  // namespace kelvor
