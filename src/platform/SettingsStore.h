#pragma once

#include <optional>
#include <string>

namespace kelvor {

// The per-user settings store: organisation and application "Kelvor", group "Settings",
// every value a text (on Linux ~/.config/Kelvor/Kelvor.conf).
class SettingsStore {
 public:
  static constexpr const char* Group = "Settings";
  std::optional<std::string> value(const std::string& key) const;
};

}  // namespace kelvor
