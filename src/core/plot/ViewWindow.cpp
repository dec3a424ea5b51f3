// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/ViewWindow.h"

#include <algorithm>
#include <cmath>

namespace kelvor {

namespace {
bool usable(double v) {
  return std::isfinite(v);
}
}  // namespace

// The axis lays a span out a little wider than asked (whole points per division): the span
// asked for is kept, so moving and zooming back and forth comes back to the same picture, and
// the place under the pointer is found in the span shown.
void ViewWindow::zoomTime(const TimeSpan& shown, double factor, double at) {
  if (!usable(shown.left) || !(shown.across > 0) || !(factor > 0) || !usable(at)) return;
  const double asked = time_ ? time_->across : shown.across;
  const double across = std::clamp(asked / factor, MinAcross, MaxAcross);
  const double anchor = shown.left + at * shown.across;
  time_ = TimeSpan{anchor - at * across * (shown.across / asked), across};
}

void ViewWindow::moveTime(const TimeSpan& shown, double widths) {
  if (!usable(shown.left) || !usable(shown.across) || !usable(widths)) return;
  const double asked = time_ ? time_->across : std::clamp(shown.across, MinAcross, MaxAcross);
  time_ = TimeSpan{shown.left + widths * shown.across, asked};
}

void ViewWindow::showTimes(double first, double last) {
  if (!usable(first) || !usable(last) || last < first) return;
  time_ = TimeSpan{first, std::clamp(last - first, MinAcross, MaxAcross)};
}

void ViewWindow::zoomValue(const ValueSpan& shown, double factor, double at) {
  if (!usable(shown.low) || !usable(shown.high) || !(factor > 0) || !usable(at)) return;
  const double span = std::max((shown.high - shown.low) / factor, MinValueSpan);
  const double anchor = shown.low + at * (shown.high - shown.low);
  value_ = ValueSpan{anchor - at * span, anchor - at * span + span};
}

}  // namespace kelvor
