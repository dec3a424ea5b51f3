// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// Decided once at start-up: the interface language and the program's own folder.
struct ProgramContext {
  int LangCode = 0;    // 0 German, 1 English, 2 English (system language 1060)
  std::string AppDir;  // the program's own folder, without a trailing separator
};

}  // namespace kelvor
