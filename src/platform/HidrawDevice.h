// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HidDevice.h"

namespace kelvor {

// A /dev/hidrawN node, opened for exclusive use and read without waiting.
class HidrawDevice : public HidDevice {
 public:
  HidrawDevice() = default;
  ~HidrawDevice() override { close(); }
  HidrawDevice(const HidrawDevice&) = delete;
  HidrawDevice& operator=(const HidrawDevice&) = delete;

  int open(const std::string& path) override;
  void close() override;
  bool isOpen() const override { return fd_ >= 0; }
  std::optional<Ids> ids() override;
  ReadResult read() override;
  int write(const std::string& report) override;
  int sendFeature(const std::string& report) override;

 private:
  int fd_ = -1;
};

}  // namespace kelvor
