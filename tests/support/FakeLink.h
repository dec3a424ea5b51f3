// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "core/acquisition/SerialLink.h"

namespace kelvor::testing {

// A serial line: the test puts what arrives into `incoming`; `gone` pulls the device out.
struct FakeLink : SerialLink {
  bool usable() {
    failedFlag = failedFlag || (open && gone);
    return open && !gone;
  }
  bool writePort(std::string_view text) override {
    if (usable()) written += text;
    return usable() && writeSucceeds;
  }
  std::string readPort() override { return usable() ? std::exchange(incoming, {}) : ""; }
  void discardInput() override { incoming.clear(); }
  bool isOpen() const override { return open; }
  bool failed() const override { return failedFlag; }
  void closePort() override { open = failedFlag = false; }
  bool reopen() override { return ++reopenAttempts > 0 && (open = !gone); }

  std::string incoming, written;
  bool writeSucceeds = true, open = true, gone = false, failedFlag = false;
  int reopenAttempts = 0;
};

}  // namespace kelvor::testing
