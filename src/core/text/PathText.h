// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// Removes one trailing path separator ("/" or "\") from a folder path, but keeps the root
// of a file system ("/", or a drive root such as "C:\").
std::string withoutTrailingSeparator(const std::string& path);

}  // namespace kelvor
