// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/acquisition/HidCables.h"

namespace kelvor {

// The hidraw nodes of the system and the USB devices behind them, as sysfs tells.
struct HidrawNode {
  std::string devicePath;  // "/dev/hidraw3"
  HidAddress address;      // its device's ids and serial number
};

class HidrawPorts {
 public:
  // Where sysfs lists the nodes and where their device files are (tests: a folder of theirs).
  explicit HidrawPorts(std::string classFolder = "/sys/class/hidraw",
                       std::string devFolder = "/dev")
      : classFolder_(std::move(classFolder)), devFolder_(std::move(devFolder)) {}

  // Every node, by number.
  std::vector<HidrawNode> nodes() const;
  // The nodes of meter cables the program knows, by number.
  std::vector<HidrawNode> cables() const;
  // The node of the first cable with these ids (and this serial number, when it has one).
  std::optional<std::string> nodeOf(const HidAddress& address) const;
  // The address of the cable at a device path ("/dev/hidraw3", or a link to it).
  std::optional<HidAddress> addressOf(const std::string& devicePath) const;

 private:
  std::string classFolder_;
  std::string devFolder_;
};

}  // namespace kelvor
