// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "StreamEncoder.h"

namespace kelvor::metersim {

// Finds the requests of a polled meter's family in the bytes received: "D" for the ASCII
// meters, the six-byte display request of ut61eplus (any other bytes are ignored, as the meter
// ignores what it does not know), a command line ending in a carriage return for fluke28x.
class RequestReader {
 public:
  enum class Request { None, Poll, Unknown };

  explicit RequestReader(Family family) : family_(family) {}

  // What the byte completes: a poll, a command the meter does not know, or nothing yet.
  Request add(unsigned char byte);

 private:
  Family family_;
  std::string pending_;
};

}  // namespace kelvor::metersim
