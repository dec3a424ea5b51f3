// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sstream>
#include <string>

namespace kelvor::testing {

// "17 20 35" as the bytes 0x17, 0x20, 0x35.
inline std::string hex(const std::string& text) {
  std::string out;
  std::istringstream in(text);
  for (int value; in >> std::hex >> value;) out += static_cast<char>(value);
  return out;
}

}  // namespace kelvor::testing
