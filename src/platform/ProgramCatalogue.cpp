// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QTranslator>

#include "core/settings/InterfaceLanguage.h"
#include "platform/ProgramData.h"

namespace kelvor {

namespace {

QPointer<QTranslator> installed;  // owned by the application

void removeInstalled() {
  if (!installed) return;
  QCoreApplication::removeTranslator(installed);
  delete installed.data();
}

}  // namespace

QString ProgramCatalogue::fileFor(int langCode) {
  if (!InterfaceLanguage::isEnglish(langCode)) return {};
  return programDataFile(QStringLiteral("kelvor_en.qm"));
}

bool ProgramCatalogue::install(int langCode) {
  const QString file = fileFor(langCode);
  if (file.isEmpty()) {
    removeInstalled();
    return true;
  }
  return installFile(file);
}

bool ProgramCatalogue::installFile(const QString& path) {
  removeInstalled();
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(path) || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  installed = translator;
  return true;
}

bool ProgramCatalogue::knows(const char* context, const QString& source) {
  return !installed || !installed->translate(context, source.toUtf8().constData()).isEmpty();
}

}  // namespace kelvor
