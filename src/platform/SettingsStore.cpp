// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace kelvor {

SettingsStore::SettingsStore() : path_(defaultFilePath()) {}

SettingsStore::SettingsStore(QString filePath) : path_(std::move(filePath)) {}

QString SettingsStore::defaultFilePath() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(config).filePath(QStringLiteral("Kelvor/Kelvor.conf"));
}

std::optional<std::string> SettingsStore::value(const std::string& key) const {
  QSettings settings(path_, QSettings::IniFormat);
  settings.beginGroup(QString::fromLatin1(Group));
  const QVariant stored = settings.value(QString::fromStdString(key));
  if (!stored.isValid()) return std::nullopt;
  // An unquoted comma in a hand-edited file ("Port=2,5") makes the ini reader split the
  // text into a list; the program wants the text as it stands.
  if (stored.typeId() == QMetaType::QStringList)
    return stored.toStringList().join(QLatin1Char(',')).toStdString();
  return stored.toString().toStdString();
}

StoredSettings::Lookup SettingsStore::lookup() const {
  // By value: the lookup may outlive this store object.
  return [path = path_](const std::string& key) { return SettingsStore(path).value(key); };
}

bool SettingsStore::write(const std::vector<StoredSettings::KeyText>& texts) const {
  QSettings settings(path_, QSettings::IniFormat);
  // QSettings writes the file through a save file (written, synced to disk, then renamed
  // over the old file); never let it fall back to rewriting the file in place.
  settings.setAtomicSyncRequired(true);
  const bool readCleanly = settings.status() == QSettings::NoError;
  settings.beginGroup(QString::fromLatin1(Group));
  for (const auto& [key, text] : texts)
    settings.setValue(QString::fromStdString(key), QString::fromStdString(text));
  settings.endGroup();
  settings.sync();
  // The store may hold the broker's password: for this user's eyes only.
  QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  if (readCleanly) return settings.status() == QSettings::NoError;
  // QSettings keeps only its first error: after a damaged file was read, a failed write
  // would not show in the status. Look at what reached the disk instead.
  return settings.status() != QSettings::AccessError && fileHolds(path_, texts);
}

bool SettingsStore::fileHolds(const QString& path,
                              const std::vector<StoredSettings::KeyText>& texts) {
  // A copy under a new name is parsed afresh; QSettings caches files by name.
  const QTemporaryDir dir;
  if (!dir.isValid()) return false;
  const QString copy = dir.filePath(QStringLiteral("check.conf"));
  if (!QFile::copy(path, copy)) return false;
  const SettingsStore check(copy);
  for (const auto& [key, text] : texts)
    if (check.value(key) != text) return false;
  return true;
}

}  // namespace kelvor
