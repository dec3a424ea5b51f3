// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "core/files/TraceFile.h"
#include "core/plot/Raster.h"
#include "core/recording/TraceStore.h"

namespace kelvor::testing {

// Puts the samples into slots 1.. of the channel and sets its count.
inline void fillChannel(TraceStore& store, int channel, const std::vector<TraceSample>& samples) {
  for (std::size_t i = 0; i < samples.size(); ++i)
    store.setSample(channel, static_cast<int>(i) + 1, samples[i].value, samples[i].time);
  store.setCount(channel, static_cast<int>(samples.size()));
}

using Pixel = std::pair<int, int>;  // (x, y)

// The raster's pixels of one colour.
inline std::set<Pixel> pixelsIn(const Raster& raster, std::uint32_t rgb) {
  std::set<Pixel> found;
  for (int y = 0; y < raster.height(); ++y)
    for (int x = 0; x < raster.width(); ++x)
      if (raster.pixel(x, y) == rgb) found.emplace(x, y);
  return found;
}

}  // namespace kelvor::testing
