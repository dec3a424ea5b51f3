// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvor {

// A HID device as Linux's hidraw driver shows it: each read gives one whole input report,
// each write sends one output report, feature reports go by their own call. Tests stand in
// for the real node.
class HidDevice {
 public:
  struct Ids {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
  };
  struct ReadResult {
    std::string report;  // empty: none waiting (or an error)
    int error = 0;       // the system's error number of a failed read; 0 otherwise
  };

  virtual ~HidDevice() = default;
  // 0, or the system's error number.
  virtual int open(const std::string& path) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // The USB ids of the open device; nothing when it cannot tell.
  virtual std::optional<Ids> ids() = 0;
  // One waiting input report, never waiting for one.
  virtual ReadResult read() = 0;
  // 0, or the system's error number.
  virtual int write(const std::string& report) = 0;
  virtual int sendFeature(const std::string& report) = 0;
};

}  // namespace kelvor
