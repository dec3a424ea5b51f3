// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelvor {

// The program's own texts in the interface language. They are written in German; the other
// interface languages read the English catalogue kelvor_en.qm, looked for beside the program
// (a build folder), in ../share/kelvor/ relative to it, then in the system's data folders.
class ProgramCatalogue {
 public:
  // The catalogue file for the interface language; empty for German (the texts as written).
  static QString fileFor(int langCode);
  // Installs that catalogue on the running application in place of the one installed
  // before. False when it is needed but cannot be loaded: the texts then stay German.
  static bool install(int langCode);
  // Installs the catalogue in `path` in place of the one installed before.
  static bool installFile(const QString& path);
  // Whether the installed catalogue has a text for `source` in `context`; always true while
  // none is installed (the texts as written are the German ones).
  static bool knows(const char* context, const QString& source);
};

}  // namespace kelvor
