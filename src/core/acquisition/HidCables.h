// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvor {

// How a USB-HID cable packs the meter's serial bytes into reports; one per bridge chip
// family, since cables with the same chip behave alike.
enum class HidCableChip { Ch9325, Cp2110, Ch9329 };

// A meter cable that is a HID device rather than a serial port, known by its USB ids.
struct HidCable {
  std::string_view name;  // the cable as its maker names it
  std::string_view chip;  // the bridge chip it carries
  HidCableChip reports;
  std::uint16_t vendorId;
  std::uint16_t productId;
};

// Every HID cable the program can read.
const std::vector<HidCable>& knownHidCables();
// The cable with these USB ids, or nullptr.
const HidCable* hidCableWithIds(std::uint16_t vendorId, std::uint16_t productId);
// "UT-D09 (CP2110)": the cable as a port list names it.
std::string hidCableLabel(const HidCable& cable);

}  // namespace kelvor
