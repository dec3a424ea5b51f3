// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelvor {

// Qt's own texts (file dialogs and their overwrite question, standard buttons, the page
// set-up dialog, the context menus of text fields) in the interface language. The program's
// own texts are not touched.
class QtTranslations {
 public:
  // The folder of the installed Qt's translations.
  static QString defaultFolder();
  // Installs Qt's translations for the interface language on the running application: for
  // German the base and multimedia modules, for English nothing. Files that are missing are
  // skipped silently (Qt then speaks English); returns how many were installed.
  static int install(int langCode, const QString& folder = defaultFolder());
};

}  // namespace kelvor
