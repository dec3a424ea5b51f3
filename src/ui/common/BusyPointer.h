// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/WindowTools.h"

namespace kelvor {

// The hourglass for the duration of a command, gone again on every way out.
class BusyPointer {
 public:
  BusyPointer() { WindowTools::setMousePointer(MousePointer::Hourglass); }
  ~BusyPointer() { done(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
  // The work is over before the object goes, e.g. ahead of a message.
  void done() {
    if (!shown_) return;
    shown_ = false;
    WindowTools::setMousePointer(MousePointer::Default);
  }

 private:
  bool shown_ = true;
};

}  // namespace kelvor
