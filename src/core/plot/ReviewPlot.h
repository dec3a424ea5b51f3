// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/plot/PlotCursors.h"
#include "core/plot/Raster.h"
#include "core/plot/ScaleParams.h"
#include "core/plot/ViewWindow.h"
#include "core/plot/YAxis.h"
#include "core/recording/TraceStore.h"

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
  // Times as elapsed time, or with `start` as times of day after it; the time labels' width in
  // points. Then redraws.
  void setTimes(std::optional<LocalSeconds> start, double labelWidth);
  void redraw();
  // The lines of the picture (grid and channels) as they are drawn into it.
  std::vector<RasterLine> lines();

  void zoomTime(double factor, double at);
  void moveTime(double widths);
  void showTimes(double first, double last);
  void showAll();
  // The last `seconds` of the recording, or all of it where it is shorter.
  void showLast(double seconds);
  void zoomValues(double factor, double at);
  void setCursor(bool b, int column);
  void clearCursors() { cursors_ = {}; }
  const PlotCursors& cursors() const { return cursors_; }
  std::vector<int> cursorColumns() const;

  const Raster& raster() const { return raster_; }
  // The value axis' visible labels, their tops in points from the plot's top (a label's
  // grid line lies 3 points below its top).
  const std::vector<YAxisLabel>& valueLabels() const { return valueLabels_; }
  // The time labels on the time grid's whole divisions, their centres in points from the plot's
  // left: elapsed time as the live plot's labels read it ("h:mm", the hours counting on past a
  // day), or times of day, the first one and each on a new day with the date below.
  struct TimeLabel {
    double centre = 0;
    std::string caption;
  };
  const std::vector<TimeLabel>& timeLabels() const { return timeLabels_; }
  const ScaleParams& scale() const { return scale_; }
  // "t 00:10:00 … 00:11:00   0,04s / Pixel": the times at the edges, as elapsed time (the hours
  // counting on past a day) or as times of day (with the dates where the range crosses
  // midnight).
  std::string caption() const;

 private:
  double lastTime() const;
  // Lays out the time axis for the span; returns the grid's offset from the left in points.
  double layOutTime(double left, double across);
  void layOutValues();

  char separator_;
  TraceStore store_;
  Raster raster_;
  ScaleParams scale_;
  ViewWindow window_;
  PlotCursors cursors_;
  std::string perPixel_;
  std::vector<YAxisLabel> valueLabels_;
  std::vector<TimeLabel> timeLabels_;
  std::optional<LocalSeconds> start_;
  double timeLabelWidth_ = 0;
};

}  // namespace kelvor
