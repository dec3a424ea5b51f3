#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kelvor {

// The values kept between runs, as the program uses them. The store holds every value as
// a text under the keys below, in the group "Settings".
struct StoredSettings {
  bool PrintColored = false;
  bool AutoScale = true;
  int Port = 1;
  int BPS = 1200;
  int Device = 0;
  // Window placement in twips and the window state (0 normal, 1 minimised, 2 maximised).
  int SavedLeft = 0;
  int SavedTop = 0;
  int SavedWidth = 0;
  int SavedHeight = 0;
  int SavedState = 0;

  // Looks up the text stored under a key; nothing when the key is absent.
  using Lookup = std::function<std::optional<std::string>(const std::string& key)>;

  // Reads every key, in the order the program always has: missing keys take their
  // defaults; "Port", "BPS" and "Device" that hold no whole number keep their defaults.
  static StoredSettings read(const Lookup& lookup, char decimalSeparator);
};

// The locale-aware conversion of a stored text to a 32-bit integer: a number written with
// "." or the user's decimal separator, blanks around it allowed, rounded half to even.
// Nothing when the text holds no such number or it does not fit.
std::optional<int> textToInt32(const std::string& text, char decimalSeparator);

}  // namespace kelvor
