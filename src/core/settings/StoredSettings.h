// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/acquisition/PortConfig.h"
#include "core/printing/PrintOptions.h"
#include "core/settings/ChannelBinding.h"

namespace kelvor {

// The values kept between runs, as the program uses them. The store holds every value as
// a text under the keys below, in the group "Settings".
struct StoredSettings {
  bool PrintColored = false;
  bool AutoScale = true;
  bool Journal = true;  // every reading of a recording into a journal file
  int Port = 1;
  int BPS = 1200;
  int Device = 0;
  std::string NetAddress;  // a network port instead of Port; "" when none (a malformed one too)
  // A meter model or protocol family ("uni-t-ut61e", "fs9721"); empty: the kind in Device.
  // Written once chosen (or once read), so that an empty choice clears an earlier one.
  std::string Meter;
  bool MeterStored = false;
  // Window placement in twips and the window state (0 normal, 1 minimised, 2 maximised).
  int SavedLeft = 0;
  int SavedTop = 0;
  int SavedWidth = 0;
  int SavedHeight = 0;
  int SavedState = 0;
  // The six channels' sources under "Channel1" to "Channel6" ("meter", "calc" or nothing),
  // a meter's port under "Port1", "BPS1", "Device1", "Meter1", "NetAddress1", a calculation
  // under "Calc1", and so on. Empty when none are stored: the meter above is the only one.
  std::vector<ChannelBinding> Channels;

  static constexpr int ChannelCount = 6;
  static constexpr int StateNormal = 0;
  static constexpr int StateMinimised = 1;
  static constexpr int StateMaximised = 2;

  // Looks up the text stored under a key; nothing when the key is absent.
  using Lookup = std::function<std::optional<std::string>(const std::string& key)>;
  using KeyText = std::pair<std::string, std::string>;

  // Reads every key, in the order the program always has: missing keys take their
  // defaults; "Port", "BPS" and "Device" that hold no whole number keep their defaults.
  static StoredSettings read(const Lookup& lookup, char decimalSeparator);

  // The texts written at exit, in writing order: "PrintColored", "AutoScale", "Port", "BPS",
  // "Device", "NetAddress", "Meter" (once there is one), "Journal", "wState", and then "wLeft",
  // "wTop", "wWidht", "wHeight" only when the state is normal; after a minimised or maximised
  // exit the store keeps the earlier placement. The channels' keys follow when there are any.
  std::vector<KeyText> texts() const;

  // The six channels' sources: those stored, or else the one meter on the active channel
  // (from 0), as a store without channel keys has always meant.
  std::vector<ChannelBinding> bindings(int activeChannel) const;

  // The port and meter to use, and the print options; taken back at exit.
  PortConfig portConfig() const;
  PrintOptions printOptions() const { return PrintOptions{PrintColored}; }
  void takeFrom(const PortConfig& config, const PrintOptions& print);
};

// The locale-aware conversion of a stored text to a 32-bit integer: a number written with
// "." or the user's decimal separator, blanks around it allowed, rounded half to even.
// Nothing when the text holds no such number or it does not fit.
std::optional<int> textToInt32(const std::string& text, char decimalSeparator);

// Whether a saved window placement may be restored on a screen of this size (twips): the
// window is larger than 9400 x 6000 twips, some of it lies right of and below the screen's
// top-left corner, and its top-left corner lies on the screen. Otherwise the window is
// centred instead.
bool placementRestorable(const StoredSettings& saved, int screenWidthTwips, int screenHeightTwips);

}  // namespace kelvor
