// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/HidCables.h"

#include <algorithm>

namespace kelvor {

namespace {

// The two UT-D04 chips share the report layout; the newer one was built as a copy of the
// first with other USB ids.
const std::vector<HidCable> Cables{
    {"UT-D04", "CH9325", HidCableChip::Ch9325, 0x1a86, 0xe008},
    {"UT-D04", "HE2325U", HidCableChip::Ch9325, 0x04fa, 0x2490},
    {"UT-D09", "CP2110", HidCableChip::Cp2110, 0x10c4, 0xea80},
    {"USB-HID", "CH9329", HidCableChip::Ch9329, 0x1a86, 0xe429},
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
  return std::string(cable.name) + " (" + std::string(cable.chip) + ")";
}

}  // namespace kelvor
