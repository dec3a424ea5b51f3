// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sstream>
#include <string>

#include "core/acquisition/MeterFamily.h"

namespace kelvor::testing {

// "17 20 35" as the bytes 0x17, 0x20, 0x35.
inline std::string hex(const std::string& text) {
  std::string out;
  std::istringstream in(text);
  for (int value; in >> std::hex >> value;) out += static_cast<char>(value);
  return out;
}

// "text|mode|flags" of a decoded frame or answer; flags as letters: O overload, H hold,
// R relative, A auto range, B low battery, N min, X max. Nothing decoded: "-".
inline std::string shown(const MeterFamily& family, std::string frame) {
  const auto decoded = family.decode(frame, ',');
  if (!decoded) return "-";
  const MeterFlags& f = decoded->flags;
  const bool on[] = {f.overload, f.hold, f.relative, f.autoRange, f.lowBattery, f.min, f.max};
  std::string flags;
  for (int i = 0; i < 7; ++i)
    if (on[i]) flags += "OHRABNX"[i];
  return decoded->valueText + "|" + decoded->mode + "|" + flags;
}

}  // namespace kelvor::testing
