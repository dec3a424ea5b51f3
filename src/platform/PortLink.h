// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/PortConfig.h"
#include "core/acquisition/SerialLink.h"
#include "platform/HidrawLink.h"
#include "platform/LocalSerialLink.h"
#include "platform/NetworkLink.h"

namespace kelvor {

// The meter's port, local, on the network or a USB-HID cable: the configured address, else
// the address a port link file holds, else the local device of the port number. The polling cycle
// sees one SerialLink whichever it is.
class PortLink : public SerialLink {
 public:
  // A fixed device (kelvor-record's --port /dev/PATH) is opened as it is, never a link of its
  // port number.
  LocalSerialLink::OpenResult open(const PortConfig& config, const QString& fixedDevice = {});

  bool writePort(std::string_view text) override { return active_->writePort(text); }
  std::string readPort() override { return active_->readPort(); }
  void discardInput() override { active_->discardInput(); }
  bool isOpen() const override { return active_->isOpen(); }
  bool failed() const override { return active_->failed(); }
  void closePort() override { active_->closePort(); }
  bool reopen() override { return active_->reopen(); }

 private:
  LocalSerialLink local_;
  NetworkLink network_;
  HidrawLink hid_;
  SerialLink* active_ = &local_;
};

}  // namespace kelvor
