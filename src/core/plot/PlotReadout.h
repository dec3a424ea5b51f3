// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/plot/Raster.h"
#include "core/plot/ScaleParams.h"
#include "core/recording/RecordingState.h"
#include "core/recording/TraceStore.h"
#include "core/text/TimeText.h"

namespace kelvor {

// A channel's stored sample nearest to a column of the picture, in the channel's unit.
struct ColumnSample {
  int channel = 0;
  float value = 0.0f;
  float time = 0.0f;  // seconds since the channel's recording start
  std::string unit;
};

// What the plot shows at one pixel column of its picture: the time the column stands for and,
// for each channel whose trace reaches over the column, its sample drawn nearest to it.
struct PlotReadout {
  double seconds = 0.0;
  std::vector<ColumnSample> channels;
};

PlotReadout readoutAt(const TraceStore& store, const ScaleParams& scale, const Raster& raster,
                      int column);

// One line of the readout box in its colour.
struct ReadoutLine {
  std::string text;
  std::uint32_t rgb = 0;
};

// The box's lines: the elapsed time (with the time of day where the active channel, being
// recorded live, is read: counted back from the wall clock's now by the steady clock; or, with
// `start`, the time of day after that start), then each channel's value with its own unit as
// the window shows readings (unitValueText), in the channel's colour.
std::vector<ReadoutLine> readoutLines(const PlotReadout& readout, const RecordingState& state,
                                      const Clock& clock, char decimalSeparator,
                                      std::optional<LocalSeconds> start = std::nullopt);

}  // namespace kelvor
