// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

#include "core/plot/ReviewPlot.h"
#include "core/record/HttpAccess.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// The live page's plot as PNG: the whole recording (or its last size.minutes) drawn as the
// review window draws it, with its axis labels; size.width x size.height points, each size.ratio
// pixels across. It keeps its pictures between calls up to KeptPixels, so drawing again at the same
// size allocates nothing large; larger ones are let go at once (the largest takes 144 MB).
class PlotPicture {
 public:
  static constexpr std::int64_t KeptPixels = 2560 * 1600;

  explicit PlotPicture(char decimalSeparator);

  QByteArray png(const TraceStore& store, const HttpAccess::PlotSize& size);

 private:
  // The picture with its few colours as a palette, or false when it has more than a palette
  // holds.
  bool toPalette();

  char separator_;
  ReviewPlot plot_;
  QImage picture_;  // the raster with the labels
  QImage indexed_;  // the same with a palette: a quarter of the bytes and no row filters
};

}  // namespace kelvor
