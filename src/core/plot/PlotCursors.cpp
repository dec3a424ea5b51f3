// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/PlotCursors.h"

#include <algorithm>
#include <cmath>

#include "core/InvalidValue.h"
#include "core/plot/WholeNumbers.h"
#include "core/recording/ValueLists.h"
#include "core/text/TimeText.h"
#include "core/text/UnitValueText.h"

namespace kelvor {

namespace {

// The channel's valid value from..to nearest in time to t (the earlier on a tie).
std::optional<float> nearest(const TraceStore& store, int ch, double t, double from, double to) {
  std::optional<float> found;
  double distance = 0;
  for (int slot = 1; slot <= store.count(ch); ++slot) {
    const float v = store.value(ch, slot);
    const double time = static_cast<double>(store.time(ch, slot));
    const double d = std::fabs(time - t);
    if (v == InvalidValue || !(time >= from && time <= to) || (found && !(d < distance))) continue;
    found = v;
    distance = d;
  }
  return found;
}

std::string timeText(double seconds) {
  const std::string sign = seconds < 0 ? "-" : "";
  return sign + elapsedText(static_cast<LocalSeconds>(roundHalfEven(std::fabs(seconds))));
}

}  // namespace

std::vector<ChannelBetween> channelsBetween(const TraceStore& store, const PlotCursors& cursors) {
  std::vector<ChannelBetween> channels;
  if (!cursors.any()) return channels;
  const double from = std::min(cursors.a.value_or(*cursors.b), cursors.b.value_or(*cursors.a));
  const double to = std::max(cursors.a.value_or(*cursors.b), cursors.b.value_or(*cursors.a));
  // One cursor alone reads the nearest sample wherever it lies.
  const double first = cursors.a && cursors.b ? from : -HUGE_VAL;
  const double last = cursors.a && cursors.b ? to : HUGE_VAL;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    ChannelBetween between;
    between.channel = ch;
    between.unit = store.unit(ch);
    if (cursors.a) between.atA = nearest(store, ch, *cursors.a, first, last);
    if (cursors.b) between.atB = nearest(store, ch, *cursors.b, first, last);
    double sum = 0;
    for (int slot = 1; slot <= store.count(ch); ++slot) {
      const float v = store.value(ch, slot);
      const double t = static_cast<double>(store.time(ch, slot));
      if (v == InvalidValue || !(t >= from && t <= to)) continue;
      const double value = static_cast<double>(v);
      between.min = between.count == 0 ? value : std::min(between.min, value);
      between.max = between.count == 0 ? value : std::max(between.max, value);
      sum += value;
      ++between.count;
    }
    if (between.count > 0) between.mean = sum / between.count;
    if (between.atA || between.atB) channels.push_back(between);
  }
  return channels;
}

std::vector<ReadoutLine> cursorLines(const TraceStore& store, const PlotCursors& cursors,
                                     char decimalSeparator, std::optional<LocalSeconds> start) {
  std::vector<ReadoutLine> lines;
  if (!cursors.any()) return lines;
  const auto at = [&start](double t) {
    return start ? timeOfDayText(*start + static_cast<LocalSeconds>(std::floor(t + 0.5)))
                 : timeText(t);
  };
  std::string head;
  if (cursors.a) head += "A " + at(*cursors.a);
  if (cursors.b) head += (head.empty() ? "" : "  ") + std::string("B ") + at(*cursors.b);
  if (cursors.a && cursors.b) head += "  \u0394t " + timeText(*cursors.b - *cursors.a);
  lines.push_back({head, paletteRgb(15)});
  for (const ChannelBetween& c : channelsBetween(store, cursors)) {
    const auto number = [&](double v) { return unitValueText(v, c.unit, decimalSeparator); };
    const auto text = [&](const std::optional<float>& v) {
      return v ? number(static_cast<double>(*v)) : std::string("--");
    };
    std::string line = "A " + text(c.atA) + "  B " + text(c.atB);
    if (c.atA && c.atB)
      line += "  \u0394 " + number(static_cast<double>(*c.atB) - static_cast<double>(*c.atA));
    if (cursors.a && cursors.b) {
      line += "  n " + std::to_string(c.count) + "  min " + number(c.min) + "  max " +
              number(c.max) + "  \u00D8 " + number(c.mean);
    }
    lines.push_back(
        {line, paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(c.channel)])});
  }
  return lines;
}

}  // namespace kelvor
