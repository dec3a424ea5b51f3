// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <random>
#include <string>

#include "Options.h"

namespace kelvor::metersim {

// Makes the byte stream of a streaming meter, one frame at a time, with the faults asked for.
class Streamer {
 public:
  explicit Streamer(Options& options) : options_(options), random_(std::random_device{}()) {}

  // The bytes that follow on the line; empty while the meter is silent.
  std::string next(double elapsedSeconds);

 private:
  std::string strayBytes();

  Options& options_;
  std::mt19937 random_;
  double value_ = 0;
  double nextValueAt_ = 0;  // a meter shows a new value each second
  long long frames_ = 0;
};

}  // namespace kelvor::metersim
