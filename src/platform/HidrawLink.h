// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/acquisition/HidCables.h"
#include "core/acquisition/HidReports.h"
#include "core/acquisition/LineSettings.h"
#include "core/acquisition/SerialLink.h"
#include "platform/HidDevice.h"
#include "platform/LocalSerialLink.h"

namespace kelvor {

// The meter's line through a USB-HID cable: the cable is found by its USB ids, its serial
// line is set up by the feature reports of its chip, and the meter's bytes come out of its
// input reports. Unplugged, it fails as a serial adapter does; reopen() finds it again under
// whatever node number it comes back with.
class HidrawLink : public SerialLink {
 public:
  // The node of a cable's address, looked up anew at each open.
  using NodeFinder = std::function<std::optional<std::string>(const HidAddress&)>;

  // The real hidraw nodes, unless a test gives its own device and finder.
  HidrawLink();
  HidrawLink(std::unique_ptr<HidDevice> device, NodeFinder find);
  ~HidrawLink() override;
  HidrawLink(const HidrawLink&) = delete;
  HidrawLink& operator=(const HidrawLink&) = delete;

  LocalSerialLink::OpenResult open(const HidAddress& address, const LineSettings& line);

  bool writePort(std::string_view text) override;
  std::string readPort() override;
  void discardInput() override;
  bool isOpen() const override { return device_->isOpen(); }
  bool failed() const override { return failed_; }
  void closePort() override;
  bool reopen() override;

 private:
  void noteError(int error);

  std::unique_ptr<HidDevice> device_;
  NodeFinder find_;
  std::optional<HidInputStream> input_;
  HidCableChip chip_ = HidCableChip::Cp2110;
  std::string pending_;  // bytes of reports read but not yet handed on
  std::optional<HidAddress> last_;
  LineSettings lastLine_;
  bool failed_ = false;
};

}  // namespace kelvor
