// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scope/PlotCursors.h"

#include <algorithm>
#include <cmath>

#include "core/acquisition/MeterFrame.h"
#include "core/scope/ValueLists.h"
#include "core/scope/WholeNumbers.h"
#include "core/text/NumberFormat.h"
#include "core/text/TimeText.h"

namespace kelvor {

namespace {

// The channel's valid value nearest in time to t (the earlier on a tie).
std::optional<float> nearest(const TraceStore& store, int ch, double t) {
  std::optional<float> found;
  double distance = 0;
  for (int slot = 1; slot <= store.count(ch); ++slot) {
    const float v = store.value(ch, slot);
    const double d = std::fabs(static_cast<double>(store.time(ch, slot)) - t);
    if (v == InvalidValue || (found && !(d < distance))) continue;
    found = v;
    distance = d;
  }
  return found;
}

std::string number(double v, char separator) {
  return formatGeneral(v, 7, separator);
}

std::string timeText(double seconds) {
  const std::string sign = seconds < 0 ? "-" : "";
  return sign + DurationStr(static_cast<LocalSeconds>(roundHalfEven(std::fabs(seconds))));
}

}  // namespace

std::vector<ChannelBetween> channelsBetween(const TraceStore& store, const PlotCursors& cursors) {
  std::vector<ChannelBetween> channels;
  if (!cursors.any()) return channels;
  const double from = std::min(cursors.a.value_or(*cursors.b), cursors.b.value_or(*cursors.a));
  const double to = std::max(cursors.a.value_or(*cursors.b), cursors.b.value_or(*cursors.a));
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    ChannelBetween between;
    between.channel = ch;
    if (cursors.a) between.atA = nearest(store, ch, *cursors.a);
    if (cursors.b) between.atB = nearest(store, ch, *cursors.b);
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
    return start ? TimeStr(*start + static_cast<LocalSeconds>(std::floor(t + 0.5))) : timeText(t);
  };
  std::string head;
  if (cursors.a) head += "A " + at(*cursors.a);
  if (cursors.b) head += (head.empty() ? "" : "  ") + std::string("B ") + at(*cursors.b);
  if (cursors.a && cursors.b) head += "  \u0394t " + timeText(*cursors.b - *cursors.a);
  lines.push_back({head, paletteRgb(15)});
  for (const ChannelBetween& c : channelsBetween(store, cursors)) {
    const auto text = [&](const std::optional<float>& v) {
      return v ? number(static_cast<double>(*v), decimalSeparator) : std::string("--");
    };
    std::string line = "A " + text(c.atA) + "  B " + text(c.atB);
    if (c.atA && c.atB) {
      line += "  \u0394 " +
              number(static_cast<double>(*c.atB) - static_cast<double>(*c.atA), decimalSeparator);
    }
    if (cursors.a && cursors.b) {
      line += "  n " + std::to_string(c.count);
      if (c.count > 0) {
        line += "  min " + number(c.min, decimalSeparator) + "  max " +
                number(c.max, decimalSeparator) + "  \u00D8 " + number(c.mean, decimalSeparator);
      }
    }
    lines.push_back(
        {line, paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(c.channel)])});
  }
  return lines;
}

}  // namespace kelvor
