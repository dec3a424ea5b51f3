// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/ReviewPlot.h"

#include <algorithm>
#include <cmath>

#include "core/plot/PlotDrawing.h"
#include "core/plot/RangeLists.h"
#include "core/plot/XAxis.h"
#include "core/plot/YAxis.h"

namespace kelvor {

namespace {
ViewWindow::TimeSpan shown(const ScaleParams& scale) {
  return {scale.LeftTime, static_cast<double>(scale.SecondsAcross)};
}

// The nearest of the live plot's range choices (falling) at or beyond v, upwards or
// downwards; beyond the choices a whole multiple of v's power of ten.
double roundedOut(const std::vector<float>& choices, double v, bool up) {
  std::optional<double> best;
  for (const float choice : choices) {
    const auto c = static_cast<double>(choice);
    if ((up ? c >= v : c <= v) && (!best || (up ? c < *best : c > *best))) best = c;
  }
  if (best) return *best;
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(v))));
  return (up ? std::ceil(v / unit) : std::floor(v / unit)) * unit;
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

void ReviewPlot::setTimes(std::optional<LocalSeconds> start, double labelWidth) {
  start_ = start;
  timeLabelWidth_ = labelWidth;
  redraw();
}

// The time axis for the span shown (the whole recording unless zoomed), the value axis for
// all values (unless zoomed), then the grid and the channels.
void ReviewPlot::redraw() {
  const int w = raster_.pointWidth(), h = raster_.pointHeight();
  if (w <= 0 || h <= 0) return;
  const ViewWindow::TimeSpan span =
      window_.time() ? *window_.time() : ViewWindow::TimeSpan{0, std::max(lastTime(), 60.0)};
  const double gridOffset = layOutTime(span.left, span.across);
  layOutValues();
  raster_.clear();
  drawGrid(raster_, scale_, gridOffset);
  ChannelPens pens;
  drawChannels(raster_, store_, scale_, DrawStyle::EveryReading, pens);
}

// The live plot's step for the span; its divisions start on a whole step of elapsed time, or
// of the time of day.
double ReviewPlot::layOutTime(double left, double across) {
  XAxisInput x;
  x.measuringSpan = static_cast<float>(across / 60.0);
  x.W = x.plotWidth = static_cast<float>(raster_.pointWidth());
  x.plotHeight = static_cast<float>(raster_.pointHeight());
  x.firstTimeLabelWidth = static_cast<float>(timeLabelWidth_);
  x.decimalSeparator = separator_;
  const XAxisLayout axis = setTimeAxis(x);
  axis.applyTo(scale_);
  scale_.LeftTime = left;
  perPixel_ = axis.timePerPixelText;
  timeLabels_.clear();
  const double step = static_cast<double>(axis.step) * 60.0;
  const double width = static_cast<double>(x.W);
  const double perPoint = static_cast<double>(scale_.SecondsAcross) / width;
  if (!axis.computed || !(step > 0) || !(perPoint > 0)) return 0;
  const double origin = start_ ? static_cast<double>(*start_) : 0.0;
  const double first = std::ceil((origin + left) / step - 1e-9) * step - origin;
  const double offset = (first - left) / perPoint;
  std::string day = "";
  for (double t = first, at = offset; at <= width + 1e-9; t += step, at += axis.XDivPixels) {
    // Reaching past the left edge (into the value labels' column) is fine, past the right not.
    if (at + timeLabelWidth_ / 2 > width + 1e-9) continue;
    std::string caption = tickCaption(static_cast<float>(t), axis.mode);
    if (start_) {
      const auto local = static_cast<LocalSeconds>(std::floor(origin + t + 0.5));
      caption = tickCaption(static_cast<float>(local - std::floor(local / 86400.0) * 86400),
                            axis.mode == TimeLabelMode::MinutesSeconds && step < 60
                                ? TimeLabelMode::MinutesSeconds
                                : TimeLabelMode::HoursMinutes);
      if (dateText(local) != day) caption += "\n" + (day = dateText(local));
    }
    timeLabels_.push_back({at, caption});
  }
  return offset;
}

// The values between the live plot's range choices around them (unless zoomed).
void ReviewPlot::layOutValues() {
  ValueRange all;
  for (int ch = 0; ch < TraceStore::Channels; ++ch)
    all.merge(store_.summary(ch).range(store_.values(ch) + 1, 0, store_.summary(ch).length()));
  double low = all.anyFinite() ? static_cast<double>(all.low) : 0.0;
  double high = all.anyFinite() ? static_cast<double>(all.high) : 1.0;
  if (window_.value()) {
    low = window_.value()->low;
    high = window_.value()->high;
  } else {
    low = roundedOut(yMinItems(separator_).values, low, false);
    high = roundedOut(yMaxItems(separator_).values, high, true);
  }
  if (!(high > low)) high = low + 1;
  YAxisInput y;
  y.YMin = static_cast<float>(low);
  y.YMax = static_cast<float>(high);
  y.H = raster_.pointHeight();
  y.Hout = static_cast<float>(y.H);
  y.decimalSeparator = separator_;
  const YAxisLayout valueAxis = setValueAxis(y);
  valueAxis.applyTo(scale_);
  valueLabels_.clear();
  for (const YAxisLabel& label : valueAxis.valueLabels)
    if (label.visible) valueLabels_.push_back(label);
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

void ReviewPlot::showLast(double seconds) {
  const double last = lastTime();
  if (last > seconds)
    showTimes(last - seconds, last);
  else
    showAll();
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

std::string ReviewPlot::caption() const {
  const double left = scale_.LeftTime;
  const double right = left + static_cast<double>(scale_.SecondsAcross);
  const auto seconds = [](double t) { return static_cast<LocalSeconds>(std::floor(t + 0.5)); };
  std::string edges = elapsedText(seconds(left)) + " \u2026 " + elapsedText(seconds(right));
  if (start_) {
    const LocalSeconds from = *start_ + seconds(left), to = *start_ + seconds(right);
    const bool days = dateText(from) != dateText(to);
    edges = (days ? dateText(from) + " " : "") + timeOfDayText(from) + " \u2026 " +
            (days ? dateText(to) + " " : "") + timeOfDayText(to);
  }
  return "t " + edges + "   " + perPixel_;
}

}  // namespace kelvor
