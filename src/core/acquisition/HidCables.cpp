// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/HidCables.h"

#include <algorithm>
#include <cstdio>

namespace kelvor {

namespace {

// The two UT-D04 chips share the report layout; the newer one was built as a copy of the
// first with other USB ids. The newer UT-D09 carries a CH9329 instead of the CP2110.
const std::vector<HidCable> Cables{
    {"UT-D04", "CH9325", HidCableChip::Ch9325, 0x1a86, 0xe008},
    {"UT-D04", "HE2325U", HidCableChip::Ch9325, 0x04fa, 0x2490},
    {"UT-D09", "CP2110", HidCableChip::Cp2110, 0x10c4, 0xea80},
    {"UT-D09", "CH9329", HidCableChip::Ch9329, 0x1a86, 0xe429},
    {"Victor 86C cable", "", HidCableChip::VictorScrambled, 0x1244, 0xd237},
};

}  // namespace

const std::vector<HidCable>& knownHidCables() {
  return Cables;
}

const HidCable* hidCableWithIds(std::uint16_t vendorId, std::uint16_t productId) {
  const auto found = std::find_if(Cables.begin(), Cables.end(), [&](const HidCable& cable) {
    return cable.vendorId == vendorId && cable.productId == productId;
  });
  return found == Cables.end() ? nullptr : &*found;
}

std::string hidCableLabel(const HidCable& cable) {
  if (cable.chip.empty()) return std::string(cable.name);
  return std::string(cable.name) + " (" + std::string(cable.chip) + ")";
}

namespace {

std::optional<std::uint32_t> hexNumber(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  std::uint32_t n = 0;
  for (const char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    n = n * 16 + static_cast<std::uint32_t>(digit);
  }
  return n;
}

std::string hex4(std::uint16_t n) {
  char text[5];
  std::snprintf(text, sizeof text, "%04x", n);
  return text;
}

// A serial number as a port name may carry it: printable, no separators.
bool plainSerial(std::string_view serial) {
  return std::all_of(serial.begin(), serial.end(),
                     [](char c) { return c > ' ' && c < 0x7f && c != ':' && c != '/'; });
}

}  // namespace

std::string HidAddress::text() const {
  return "hid:" + hex4(vendorId) + ":" + hex4(productId) + (serial.empty() ? "" : ":" + serial);
}

std::string HidAddress::fileName() const {
  return "hid-" + hex4(vendorId) + "-" + hex4(productId) + (serial.empty() ? "" : "-" + serial);
}

bool looksLikeHidAddress(std::string_view text) {
  return text.rfind("hid:", 0) == 0;
}

std::optional<HidAddress> parseHidAddress(std::string_view text) {
  if (!looksLikeHidAddress(text)) return std::nullopt;
  text.remove_prefix(4);
  const std::size_t first = text.find(':');
  const std::size_t second = text.find(':', first == std::string_view::npos ? first : first + 1);
  const auto vendor = hexNumber(text.substr(0, first), 4);
  const auto product = first == std::string_view::npos
                           ? std::nullopt
                           : hexNumber(text.substr(first + 1, second - first - 1), 4);
  if (!vendor || !product) return std::nullopt;
  HidAddress address{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product), ""};
  if (second != std::string_view::npos) {
    address.serial = std::string(text.substr(second + 1));
    if (address.serial.empty() || !plainSerial(address.serial)) return std::nullopt;
  }
  return address;
}

std::optional<HidAddress> hidAddressOfUevent(std::string_view uevent) {
  std::optional<HidAddress> address;
  std::string serial;
  while (!uevent.empty()) {
    const std::size_t end = std::min(uevent.find('\n'), uevent.size());
    const std::string_view line = uevent.substr(0, end);
    uevent.remove_prefix(std::min(end + 1, uevent.size()));
    if (line.rfind("HID_ID=", 0) == 0 && line.size() == 7 + 4 + 1 + 8 + 1 + 8) {
      const auto vendor = hexNumber(line.substr(12, 8), 8);
      const auto product = hexNumber(line.substr(21, 8), 8);
      if (vendor && product && *vendor <= 0xffff && *product <= 0xffff)
        address = HidAddress{static_cast<std::uint16_t>(*vendor),
                             static_cast<std::uint16_t>(*product), ""};
    } else if (line.rfind("HID_UNIQ=", 0) == 0) {
      serial = std::string(line.substr(9));
    }
  }
  if (address && plainSerial(serial)) address->serial = serial;
  return address;
}

}  // namespace kelvor
