// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/ReadingView.h"

namespace kelvor {

struct RangeControls;
struct ReadingControls;
struct TimeControls;

// The reading's labels and check boxes of the main window. Texts from the meter are
// single bytes and shown as Latin-1 characters.
class ReadingLabels : public ReadingView {
 public:
  ReadingLabels(const ReadingControls& reading, const TimeControls& time,
                const RangeControls& range)
      : reading_(reading), time_(time), range_(range) {}

  void showValue(const std::string& text) override;
  void showMode(const std::string& text) override;
  void showCurrentTime(const std::string& text) override;
  void showStartTime(const std::string& text) override;
  void showRunTime(const std::string& text) override;
  void showAutoScale(bool on) override;

 private:
  const ReadingControls& reading_;
  const TimeControls& time_;
  const RangeControls& range_;
};

}  // namespace kelvor
