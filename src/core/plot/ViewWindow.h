// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace kelvor {

// What part of the recording the plot shows. Untouched it follows the live picture: the
// chosen duration from time 0 and the chosen value range. Zooming or moving the time axis
// holds a span of its own (it then stays put while readings arrive), zooming the value axis
// a range of its own (the automatic ranges then pause); following live again drops both.
class ViewWindow {
 public:
  struct TimeSpan {
    double left = 0;    // seconds at the left edge
    double across = 0;  // seconds across the width, as asked for
  };
  struct ValueSpan {
    double low = 0;
    double high = 0;
  };

  // Shortest and longest time span and narrowest value range the zoom goes to.
  static constexpr double MinAcross = 10;
  static constexpr double MaxAcross = 400.0 * 86400;
  static constexpr double MinValueSpan = 1e-6;

  bool following() const { return !time_ && !value_; }
  const std::optional<TimeSpan>& time() const { return time_; }
  const std::optional<ValueSpan>& value() const { return value_; }

  // The span shown now is `shown`; `at` is the pointer's place across the width (0 left,
  // 1 right). A factor above 1 zooms in; the time under the pointer stays there.
  void zoomTime(const TimeSpan& shown, double factor, double at);
  // Moves by a part of the width (positive: later times come in from the right).
  void moveTime(const TimeSpan& shown, double widths);
  // The whole of first .. last.
  void showTimes(double first, double last);
  // As zoomTime for the values; `at` counts from the bottom (0) to the top (1).
  void zoomValue(const ValueSpan& shown, double factor, double at);
  // Back to the live picture.
  void follow() {
    time_.reset();
    value_.reset();
  }
  void followValues() { value_.reset(); }

 private:
  std::optional<TimeSpan> time_;
  std::optional<ValueSpan> value_;
};

}  // namespace kelvor
