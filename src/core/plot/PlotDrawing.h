// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "core/plot/PenPositions.h"
#include "core/plot/PlotGeometry.h"
#include "core/plot/Raster.h"
#include "core/plot/ScaleParams.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// Samples on the screen's picture: the points of the plot it shows, mapped to its pixels.
SampleMapping screenMapping(const ScaleParams& scale, const Raster& raster);
// Where a sample (t seconds, value v) lands on the screen's picture, in its pixels.
PlotPoint mapSample(double t, double v, const Raster& raster, const ScaleParams& scale);

// The grey grid: a vertical line every half time division (none at x = 0; the divisions start
// `timeGridOffset` points from the left edge), and a horizontal line on every Y division from
// the lowest grid line up, placed in points and each drawn one line width wide at the nearest
// pixel.
void drawGrid(Raster& raster, const ScaleParams& scale, double timeGridOffset = 0);

// What drawing all channels found, for the automatic ranges.
struct ChannelsDrawn {
  float min = 1e33f;  // lowest and highest valid value, drawn or not; untouched without any
  float max = -1e33f;
  int lastTime = 0;  // latest of the channels' last valid sample times (whole seconds)
};

// Where each channel's line stands.
using ChannelPens = std::array<PenPositions, TraceStore::Channels>;

// Draws the stored samples of channels 0 to 5 in their colours (so yellow ends on top),
// skipping gap markers, and leaves in `pens` where each channel's line ends (cleared for a
// channel without a drawn point). Samples that cannot change a pixel are not drawn; the picture
// equals drawing every segment one by one. A channel whose times are in order is drawn from its
// summary, column by column, at a cost that grows with the picture's width rather than with its
// samples.
ChannelsDrawn drawChannels(Raster& raster, const TraceStore& store, const ScaleParams& scale,
                           DrawStyle style, ChannelPens& pens);

}  // namespace kelvor
