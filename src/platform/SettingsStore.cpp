#include "platform/SettingsStore.h"

#include <QSettings>

namespace kelvor {

std::optional<std::string> SettingsStore::value(const std::string& key) const {
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kelvor"),
                     QStringLiteral("Kelvor"));
  settings.beginGroup(QString::fromLatin1(Group));
  const QVariant stored = settings.value(QString::fromStdString(key));
  if (!stored.isValid()) return std::nullopt;
  return stored.toString().toStdString();
}

}  // namespace kelvor
