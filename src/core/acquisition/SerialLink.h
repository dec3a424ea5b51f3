// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kelvor {

// The serial line to the meter as the polling cycle needs it. Reads never block: they
// return what has arrived so far.
class SerialLink {
 public:
  virtual ~SerialLink() = default;
  // True when every byte of text was handed to the driver.
  virtual bool writePort(std::string_view text) = 0;
  // Up to 32 bytes that have arrived, possibly none; empty on a closed or failed port.
  virtual std::string readPort() = 0;
  // Drops everything received but not yet read.
  virtual void discardInput() = 0;

  virtual bool isOpen() const = 0;
  // A read or write hit an error that will not go away by itself (the device was removed).
  virtual bool failed() const = 0;
  virtual void closePort() = 0;
  // Opens the port that was opened last once more, quietly; true when it is open again.
  virtual bool reopen() = 0;
};

}  // namespace kelvor
