// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scope/ReviewPlot.h"

#include <algorithm>
#include <cmath>

#include "core/scope/PlotDrawing.h"
#include "core/scope/XAxis.h"
#include "core/scope/YAxis.h"

namespace kelvor {

namespace {
ViewWindow::TimeSpan shown(const ScaleParams& scale) {
  return {scale.LeftTime, static_cast<double>(scale.SecondsAcross)};
}
}  // namespace

ReviewPlot::ReviewPlot(int lastSlot, char decimalSeparator)
    : separator_(decimalSeparator), store_(lastSlot) {}

void ReviewPlot::resize(int pointWidth, int pointHeight, int pictureWidth, int pictureHeight,
                        int lineWidth) {
  raster_.resize(pictureWidth, pictureHeight);
  raster_.showPoints(pointWidth, pointHeight, lineWidth);
  redraw();
}

double ReviewPlot::lastTime() const {
  double last = 0;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    const int n = store_.count(ch);
    if (n > 0 && std::isfinite(store_.time(ch, n)))
      last = std::max(last, static_cast<double>(store_.time(ch, n)));
  }
  return last;
}

std::vector<RasterLine> ReviewPlot::lines() {
  std::vector<RasterLine> lines;
  raster_.recordLines(&lines);
  redraw();
  raster_.recordLines(nullptr);
  return lines;
}

// The time axis for the span shown (the whole recording unless zoomed), the value axis for
// all values (unless zoomed), then the grid and the channels.
void ReviewPlot::redraw() {
  const int w = raster_.pointWidth(), h = raster_.pointHeight();
  if (w <= 0 || h <= 0) return;
  const ViewWindow::TimeSpan span =
      window_.time() ? *window_.time() : ViewWindow::TimeSpan{0, std::max(lastTime(), 60.0)};
  XAxisInput x;
  x.MessDauer = static_cast<float>(span.across / 60.0);
  x.W = static_cast<float>(w);
  x.plotWidth = static_cast<float>(w);
  x.plotHeight = static_cast<float>(h);
  x.startSeconds = span.left;
  x.decimalSeparator = separator_;
  const XAxisLayout timeAxis = SetXAchse(x);
  timeAxis.applyTo(scale_);
  scale_.LeftTime = span.left;
  perPixel_ = timeAxis.lblTpPCaption;

  ValueRange all;
  for (int ch = 0; ch < TraceStore::Channels; ++ch)
    all.merge(store_.summary(ch).range(store_.values(ch) + 1, 0, store_.summary(ch).length()));
  double low = all.anyFinite() ? static_cast<double>(all.low) : 0.0;
  double high = all.anyFinite() ? static_cast<double>(all.high) : 1.0;
  if (window_.value()) {
    low = window_.value()->low;
    high = window_.value()->high;
  }
  if (!(high > low)) high = low + 1;
  YAxisInput y;
  y.YMin = static_cast<float>(low);
  y.YMax = static_cast<float>(high);
  y.H = h;
  y.Hout = static_cast<float>(h);
  y.decimalSeparator = separator_;
  const YAxisLayout valueAxis = SetYAchse(y);
  valueAxis.applyTo(scale_);
  valueLabels_.clear();
  for (const YAxisLabel& label : valueAxis.lblY)
    if (label.visible) valueLabels_.push_back(label);

  raster_.clear();
  DrawGrid(raster_, scale_);
  PenPositions pens;
  drawChannels(raster_, store_, scale_, DrawStyle::EveryReading, pens);
}

void ReviewPlot::zoomTime(double factor, double at) {
  window_.zoomTime(shown(scale_), factor, at);
  redraw();
}

void ReviewPlot::moveTime(double widths) {
  window_.moveTime(shown(scale_), widths);
  redraw();
}

void ReviewPlot::showTimes(double first, double last) {
  window_.showTimes(first, last);
  redraw();
}

void ReviewPlot::showAll() {
  window_.follow();
  redraw();
}

void ReviewPlot::zoomValues(double factor, double at) {
  const double span = static_cast<double>(scale_.YSpan);
  const double h = static_cast<double>(raster_.pointHeight());
  if (h <= 0 || !(span > 0)) return;
  const double low =
      static_cast<double>(scale_.YBase) - static_cast<double>(scale_.YOffsetPixels) * span / h;
  window_.zoomValue({low, low + span}, factor, at);
  redraw();
}

void ReviewPlot::setCursor(bool b, int column) {
  const double across = static_cast<double>(raster_.pointWidth()) * raster_.pixelsPerPointX();
  if (!(across > 0)) return;
  (b ? cursors_.b : cursors_.a) =
      scale_.LeftTime + column / across * static_cast<double>(scale_.SecondsAcross);
}

std::vector<int> ReviewPlot::cursorColumns() const {
  std::vector<int> columns;
  for (const auto& t : {cursors_.a, cursors_.b})
    if (t) columns.push_back(mapSample(*t, 0, raster_, scale_).x);
  return columns;
}

std::string ReviewPlot::caption(bool timeOfDay, LocalSeconds start) const {
  const auto at = [&](double t) {
    const auto seconds = static_cast<LocalSeconds>(std::floor(t + 0.5));
    return TimeStr(timeOfDay ? start + seconds : seconds);
  };
  const double left = scale_.LeftTime;
  return "t " + at(left) + " \u2026 " + at(left + static_cast<double>(scale_.SecondsAcross)) +
         "   " + perPixel_;
}

}  // namespace kelvor
