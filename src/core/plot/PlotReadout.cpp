// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/PlotReadout.h"

#include <algorithm>
#include <cstdlib>

#include "core/InvalidValue.h"
#include "core/plot/PlotDrawing.h"
#include "core/plot/WholeNumbers.h"
#include "core/recording/ValueLists.h"
#include "core/text/UnitValueText.h"

namespace kelvor {

namespace {

// The sample drawn nearest to the column, if the channel's trace reaches over it.
bool nearestSample(const TraceStore& store, int channel, const SampleMapping& mapping, int column,
                   ColumnSample& found) {
  int firstX = 0, lastX = 0, distance = -1;
  for (int slot = 1; slot <= store.count(channel); ++slot) {
    const float value = store.value(channel, slot);
    if (value == InvalidValue) continue;
    const float time = store.time(channel, slot);
    const int x = mapping.x(roundHalfEven(static_cast<double>(time)));
    if (distance < 0) firstX = x;
    lastX = x;
    if (distance < 0 || std::abs(x - column) < distance) {
      distance = std::abs(x - column);
      found = {channel, value, time, store.unit(channel)};
    }
  }
  return distance >= 0 && column >= firstX && column <= lastX;
}

}  // namespace

PlotReadout readoutAt(const TraceStore& store, const ScaleParams& scale, const Raster& raster,
                      int column) {
  PlotReadout readout;
  const double across = static_cast<double>(raster.pointWidth()) * raster.pixelsPerPointX();
  if (across > 0)
    readout.seconds = scale.LeftTime + column / across * static_cast<double>(scale.SecondsAcross);
  const SampleMapping mapping = screenMapping(scale, raster);
  for (int channel = 0; channel < TraceStore::Channels; ++channel) {
    ColumnSample reading;
    if (nearestSample(store, channel, mapping, column, reading))
      readout.channels.push_back(reading);
  }
  return readout;
}

std::vector<ReadoutLine> readoutLines(const PlotReadout& readout, const RecordingState& state,
                                      const Clock& clock, char decimalSeparator,
                                      std::optional<LocalSeconds> start) {
  const auto elapsed = static_cast<LocalSeconds>(roundHalfEven(readout.seconds));
  std::string time = elapsedText(elapsed);
  if (start) time += "  " + timeOfDayText(*start + elapsed);
  const bool live = std::any_of(
      readout.channels.begin(), readout.channels.end(),
      [&state](const ColumnSample& reading) { return reading.channel == state.activeChannel(); });
  if (live && state.running() && state.startTime()) {
    const std::int64_t agoMs = clock.steadyMs() - (state.startTime()->steadyMs + elapsed * 1000);
    time += "  " + timeOfDayText(clock.wallTimeAt(clock.utcMs() - agoMs).local());
  }
  std::vector<ReadoutLine> lines{{time, paletteRgb(15)}};
  for (const ColumnSample& reading : readout.channels) {
    const int colour = ValueLists::ChannelColors[static_cast<std::size_t>(reading.channel)];
    lines.push_back(
        {unitValueText(static_cast<double>(reading.value), reading.unit, decimalSeparator),
         paletteRgb(colour)});
  }
  return lines;
}

}  // namespace kelvor
