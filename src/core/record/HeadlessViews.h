// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/acquisition/ReadingHandler.h"
#include "core/scope/Recorder.h"

namespace kelvor {

// The reading display and the recording controls without a window: nothing is shown, and
// "drawing active" stays on for the whole run. A full trace store switches it off in the
// window; here the store starts over while the journal goes on.
class HeadlessViews : public ReadingView, public RecorderView {
 public:
  void showValue(const std::string&) override {}
  void showMode(const std::string&) override {}
  void showCurrentTime(const std::string&) override {}
  void showStartTime(const std::string&) override {}
  void showRunTime(const std::string&) override {}
  bool autoScaleChecked() const override { return false; }

  bool activeChecked() const override { return true; }
  void setActiveChecked(bool) override {}
  void showAlarmTime(const std::string&) override {}
  void setReadingColor(std::uint32_t) override {}
};

}  // namespace kelvor
