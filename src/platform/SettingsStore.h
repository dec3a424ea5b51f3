// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings/StoredSettings.h"

namespace kelvor {

// The per-user settings store: organisation and application "Kelvor", group "Settings",
// every value a text, in <user config dir>/Kelvor/Kelvor.conf (on Linux
// ~/.config/Kelvor/Kelvor.conf, or under $XDG_CONFIG_HOME).
class SettingsStore {
 public:
  static constexpr const char* Group = "Settings";

  // The user's store; its place is looked up anew for every store object.
  SettingsStore();
  // A store in a file of our choosing (tests, tools).
  explicit SettingsStore(QString filePath);

  QString filePath() const { return path_; }

  // The text under a key of the group; nothing when the key is absent.
  std::optional<std::string> value(const std::string& key) const;
  StoredSettings::Lookup lookup() const;

  // Writes the texts into the group, keeping every other key, and replaces the file in one
  // step (a new file renamed over the old one), so a crash or a full disk never leaves a
  // half-written store behind. False when the file could not be written; the old file is
  // then unchanged.
  bool write(const std::vector<StoredSettings::KeyText>& texts) const;

  // <user config dir>/Kelvor/Kelvor.conf
  static QString defaultFilePath();

 private:
  static bool fileHolds(const QString& path, const std::vector<StoredSettings::KeyText>& texts);

  QString path_;
};

}  // namespace kelvor
