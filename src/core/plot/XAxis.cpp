// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/XAxis.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "core/plot/WholeNumbers.h"
#include "core/recording/ValueLists.h"
#include "core/text/NumberFormat.h"

namespace kelvor {

namespace {

// Whole minutes and seconds within the hour of a rounded number of seconds.
long long minutesInHour(long long r) {
  return (r % 3600) / 60;
}
long long secondsInMinute(long long r) {
  return (r % 3600) % 60;
}

}  // namespace

std::string timePerPixelCaption(double p, char decimalSeparator) {
  if (p < 60.0) return formatPattern(p, "#0.00", decimalSeparator) + "s / Pixel";
  const long long r = roundWithin(p, WholePartCap);
  const auto minutes = static_cast<double>(minutesInHour(r));
  if (p < 3600.0) {
    const auto seconds = static_cast<double>(secondsInMinute(r));
    return formatPattern(minutes, "00:", decimalSeparator) +
           formatPattern(seconds, "00", decimalSeparator) + "min / Pixel";
  }
  const auto hours = static_cast<double>(wholePart(p / 3600.0));
  return formatPattern(hours, "00:", decimalSeparator) +
         formatPattern(minutes, "00", decimalSeparator) + "h / Pixel";
}

std::string tickCaption(float t, TimeLabelMode mode) {
  if (t < 0) return "-" + tickCaption(-t, mode);
  const double dT = static_cast<double>(t);
  const long long r = roundWithin(dT, WholePartCap);
  const auto minutes = static_cast<double>(minutesInHour(r));
  // The patterns hold no decimal point, so the separator never shows.
  if (mode == TimeLabelMode::MinutesSeconds) {
    const auto seconds = static_cast<double>(secondsInMinute(r));
    return formatPattern(minutes, "#0", '.') + ":" + formatPattern(seconds, "00", '.');
  }
  const auto hours = static_cast<double>(wholePart(dT / 3600.0));
  return formatPattern(hours, "#0", '.') + ":" + formatPattern(minutes, "00", '.');
}

void XAxisLayout::applyTo(ScaleParams& params) const {
  if (!computed) return;
  params.XDivPixels = XDivPixels;
  params.SecondsAcross = SecondsAcross;
  params.StoreInterval = StoreInterval;
}

XAxisLayout setTimeAxis(const XAxisInput& in) {
  XAxisLayout out;
  if (in.measuringSpan == 0.0f) return out;
  // Only the window's own finite sizes and durations make a scale.
  if (!std::isfinite(in.measuringSpan) || !std::isfinite(in.W)) return out;
  out.computed = true;

  const double duration = static_cast<double>(in.measuringSpan);
  const double w = static_cast<double>(in.W);

  // The smallest step whose division is wider than 40 points; the last one otherwise.
  const auto& steps = ValueLists::TimeStepList;
  std::size_t i = 0;
  while (i + 1 < steps.size() && !(duration / steps[i] < w / 40.0)) ++i;
  const float s = static_cast<float>(steps[i]);
  const double dS = static_cast<double>(s);

  // The exact division width rounded up, less 2: the plot covers a little more than the
  // duration.
  long long n = wholePart(w / (duration / dS)) + 1;
  bool shorter = false;
  do {
    shorter = dS / static_cast<double>(n) * w <= duration;
    --n;
  } while (shorter);
  // A plot too narrow for one point per division still gets divisions one point wide.
  if (n < 1) n = 1;
  out.XDivPixels = toInt(n);
  out.step = s;

  out.SecondsAcross = static_cast<float>(w / static_cast<double>(n) * dS * 60.0);
  const double p = static_cast<double>(out.SecondsAcross) / w;
  out.timePerPixelText = timePerPixelCaption(p, in.decimalSeparator);

  if (in.measuringSpan < 60.0f) {
    out.mode = TimeLabelMode::MinutesSeconds;
    out.timeUnitText = "t in min -->";
  } else {
    out.mode = TimeLabelMode::HoursMinutes;
    out.timeUnitText = "t in h -->";
  }

  const double left = static_cast<double>(in.plotLeft);
  const double width = static_cast<double>(in.plotWidth);
  const double labelWidth = static_cast<double>(in.firstTimeLabelWidth);
  out.firstTimeLabelTop =
      static_cast<double>(in.plotTop) + static_cast<double>(in.plotHeight) + 2.0;
  out.timeUnitLeft = left + 2.0 * (width / 3.0);
  out.timeUnitTop = out.firstTimeLabelTop + 10.0;
  out.timePerPixelLeft = left + width / 3.0;
  out.timePerPixelTop = out.firstTimeLabelTop + 10.0;

  // Each label centred on its division line; those reaching past the right edge stay hidden.
  for (std::size_t j = 0; j < out.timeLabels.size(); ++j) {
    XAxisLabel& label = out.timeLabels[j];
    const auto index = static_cast<double>(j);
    label.left = left - labelWidth / 2.0 + static_cast<double>(out.XDivPixels) * index;
    label.top = out.firstTimeLabelTop;
    label.caption = tickCaption(static_cast<float>(in.startSeconds + dS * 60.0 * index), out.mode);
    label.visible = label.left + labelWidth <= left + width;
  }

  out.StoreInterval = toInt(wholePart(static_cast<double>(out.SecondsAcross) / w));
  if (out.StoreInterval < 1) out.StoreInterval = 1;
  return out;
}

}  // namespace kelvor
