// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvor {

// How a USB-HID cable packs the meter's serial bytes into reports; one per bridge chip
// family, since cables with the same chip behave alike. The Victor 86C's cable scrambles
// whole frames instead (VictorCable.h).
enum class HidCableChip { Ch9325, Cp2110, Ch9329, VictorScrambled };

// A meter cable that is a HID device rather than a serial port, known by its USB ids.
struct HidCable {
  std::string_view name;  // the cable as its maker names it
  std::string_view chip;  // the bridge chip it carries; empty when unknown
  HidCableChip reports;
  std::uint16_t vendorId;
  std::uint16_t productId;
};

// Every HID cable the program can read.
const std::vector<HidCable>& knownHidCables();
// The cable with these USB ids, or nullptr.
const HidCable* hidCableWithIds(std::uint16_t vendorId, std::uint16_t productId);
// "UT-D09 (CP2110)": the cable as a port list names it (without a known chip its name alone).
std::string hidCableLabel(const HidCable& cable);

// A HID cable as a port names it: "hid:10c4:ea80", or with the cable's serial number
// "hid:10c4:ea80:0001A2B3" where several of the same kind are plugged in.
struct HidAddress {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::string serial;  // empty: the first cable with these ids

  std::string text() const;
  // "hid-10c4-ea80": the address as a journal's file name carries it.
  std::string fileName() const;
};

bool looksLikeHidAddress(std::string_view text);
// Nothing for a text that is no such address (ids of four hex digits each).
std::optional<HidAddress> parseHidAddress(std::string_view text);
// The ids and serial number of a hidraw node's device from its sysfs "uevent" text
// ("HID_ID=0003:000010C4:0000EA80", "HID_UNIQ=…"); nothing without an id line.
std::optional<HidAddress> hidAddressOfUevent(std::string_view uevent);

}  // namespace kelvor
