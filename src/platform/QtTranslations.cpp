// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/settings/InterfaceLanguage.h"

namespace kelvor {

QString QtTranslations::defaultFolder() {
  return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

int QtTranslations::install(int langCode, const QString& folder) {
  if (langCode != InterfaceLanguage::German) return 0;
  int installed = 0;
  for (const char* module : {"qtbase_de", "qtmultimedia_de"}) {
    // Owned by the application: the texts are needed for as long as it runs.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QString::fromLatin1(module), folder) &&
        QCoreApplication::installTranslator(translator)) {
      ++installed;
    } else {
      delete translator;
    }
  }
  return installed;
}

}  // namespace kelvor
