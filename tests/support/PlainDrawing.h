// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

#include "core/InvalidValue.h"
#include "core/plot/PlotDrawing.h"
#include "core/plot/WholeNumbers.h"
#include "core/recording/ValueLists.h"

namespace kelvor {

// drawChannels with every segment drawn one by one: the reference that tests and benchmarks
// hold the drawing from the summaries against.
inline ChannelsDrawn drawChannelsPlain(Raster& raster, const TraceStore& store,
                                       const ScaleParams& scale, DrawStyle style,
                                       ChannelPens& pens) {
  ChannelsDrawn drawn;
  const SampleMapping mapper = screenMapping(scale, raster);
  double t = 0, lastTime = 0;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    PenPositions& channelPens = pens[static_cast<std::size_t>(ch)];
    channelPens.clear();
    bool first = true;
    ColumnThinning thinning(style);
    const std::uint32_t colour =
        paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(ch)]);
    const int count = store.count(ch);
    for (int i = 1; i <= count; ++i) {
      const float v = store.value(ch, i);
      if (v == InvalidValue) continue;
      t = roundHalfEven(static_cast<double>(store.time(ch, i)));
      if (v < drawn.min) drawn.min = v;
      if (v > drawn.max) drawn.max = v;
      const PlotPoint p = mapper(t, static_cast<double>(v));
      if (thinning.draws(p.x)) {
        if (first)
          raster.dot(p.x, p.y, colour);
        else
          raster.line(channelPens.LastDrawnX, channelPens.LastDrawnY, p.x, p.y, colour);
        first = false;
        channelPens.LastDrawnX = p.x, channelPens.LastDrawnY = p.y;
      }
      channelPens.LastY = p.y;
    }
    channelPens.LastX = thinning.lastX();
    if (t > lastTime) lastTime = t;
  }
  drawn.lastTime = static_cast<int>(std::min(lastTime, static_cast<double>(INT_MAX)));
  return drawn;
}

}  // namespace kelvor
