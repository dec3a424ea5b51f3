// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// What shows the watched reading and the recording's times and automatic scaling; a program
// without a window shows none of it.
class ReadingView {
 public:
  virtual ~ReadingView() = default;
  virtual void showValue(const std::string&) {}        // the large display
  virtual void showMode(const std::string&) {}         // mode or unit
  virtual void showCurrentTime(const std::string&) {}  // time of the last reading
  virtual void showStartTime(const std::string&) {}    // start of the recording
  virtual void showRunTime(const std::string&) {}      // running time of the recording
  virtual void showAutoScale(bool) {}                  // without raising a handler
};

}  // namespace kelvor
