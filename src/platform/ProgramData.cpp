// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace kelvor {

QString programDataFile(const QString& name) {
  const QDir programDir(QCoreApplication::applicationDirPath());
  QStringList candidates{programDir.filePath(name),
                         programDir.filePath(QStringLiteral("../share/kelvor/") + name)};
  const QString shared =
      QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("kelvor/") + name);
  if (!shared.isEmpty()) candidates << shared;
  for (const QString& candidate : candidates)
    if (QFileInfo::exists(candidate)) return QDir::cleanPath(candidate);
  return candidates.front();
}

}  // namespace kelvor
