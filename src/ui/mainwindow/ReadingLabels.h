// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/ReadingView.h"

namespace kelvor {

struct MainControls;

// The reading's labels and check boxes of the main window. Texts from the meter are
// single bytes and shown as Latin-1 characters.
class ReadingLabels : public ReadingView {
 public:
  explicit ReadingLabels(const MainControls& controls) : controls_(controls) {}

  void showValue(const std::string& text) override;
  void showMode(const std::string& text) override;
  void showCurrentTime(const std::string& text) override;
  void showStartTime(const std::string& text) override;
  void showRunTime(const std::string& text) override;
  void showAutoScale(bool on) override;

 private:
  const MainControls& controls_;
};

}  // namespace kelvor
