// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/scope/PlotCursors.h"
#include "core/scope/Raster.h"
#include "core/scope/ScaleParams.h"
#include "core/scope/TraceStore.h"
#include "core/scope/ViewWindow.h"
#include "core/scope/YAxis.h"

namespace kelvor {

// A recording opened for review, apart from the live plot: its own store (as large as the
// journals need), picture, view and cursors. Untouched it shows the whole recording and all
// its values; zooming and moving work as on the live plot.
class ReviewPlot {
 public:
  explicit ReviewPlot(int lastSlot, char decimalSeparator);

  TraceStore& store() { return store_; }
  const TraceStore& store() const { return store_; }
  // The plot's size in points and its picture's in device pixels; then redraws.
  void resize(int pointWidth, int pointHeight, int pictureWidth, int pictureHeight, int lineWidth);
  void redraw();
  // The lines of the picture (grid and channels) as they are drawn into it.
  std::vector<RasterLine> lines();

  void zoomTime(double factor, double at);
  void moveTime(double widths);
  void showTimes(double first, double last);
  void showAll();
  void zoomValues(double factor, double at);
  void setCursor(bool b, int column);
  void clearCursors() { cursors_ = {}; }
  const PlotCursors& cursors() const { return cursors_; }
  std::vector<int> cursorColumns() const;

  const Raster& raster() const { return raster_; }
  // The value axis' visible labels, their tops in points from the plot's top (a label's
  // grid line lies 3 points below its top).
  const std::vector<YAxisLabel>& valueLabels() const { return valueLabels_; }
  const ScaleParams& scale() const { return scale_; }
  // "t 00:10:00 … 00:11:00   0,04s / Pixel": the times at the edges, as elapsed time or as
  // time of day after a start at `start`.
  std::string caption(bool timeOfDay, LocalSeconds start) const;

 private:
  double lastTime() const;

  char separator_;
  TraceStore store_;
  Raster raster_;
  ScaleParams scale_;
  ViewWindow window_;
  PlotCursors cursors_;
  std::string perPixel_;
  std::vector<YAxisLabel> valueLabels_;
};

}  // namespace kelvor
