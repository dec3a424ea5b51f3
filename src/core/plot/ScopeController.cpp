// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/ScopeController.h"
#include "core/InvalidValue.h"

#include <algorithm>
#include <cmath>

#include "core/plot/XAxis.h"
#include "core/plot/YAxis.h"
#include "core/recording/ValueLists.h"
#include "core/text/NumberFormat.h"
#include "core/text/ReadingNumber.h"

namespace kelvor {

ScopeController::ScopeController(const RecordingState& state, TraceStore& store, ScopeView& view,
                                 char decimalSeparator)
    : state_(state),
      store_(store),
      view_(view),
      separator_(decimalSeparator),
      durationItems_(durationItems()),
      yMinItems_(yMinItems(decimalSeparator)),
      yMaxItems_(yMaxItems(decimalSeparator)) {}

PlotPoint ScopeController::map(double t, double v) const {
  return mapSample(t, v, raster_, scale_);
}

void ScopeController::publishChanges() {
  const RasterRect changed = raster_.takeChanged();
  if (!changed.empty()) view_.plotChanged(changed);
}

// --- duration ---------------------------------------------------------------------------

void ScopeController::durationChosen() {
  if (durationItem_ < 0) return;
  const std::size_t element =
      ValueLists::DurationList.size() - 1 - static_cast<std::size_t>(durationItem_);
  measuringSpan_ = static_cast<float>(ValueLists::DurationList[element]);
  redrawAll(Rescale::Keep);
}

void ScopeController::selectDurationItem(int item) {
  if (item < 0 || item >= static_cast<int>(durationItems_.size())) return;
  durationItem_ = item;
  view_.showDurationItem(item);
  durationChosen();
}

void ScopeController::autoRangeTime(int t) {
  if (window_.time()) return;  // the user's view stays
  const int item = autoRangeXItem(durationItems_, durationItem_, t - static_cast<int>(liveLeft_),
                                  scale_.SecondsAcross);
  if (item != durationItem_) selectDurationItem(item);
}

// --- Y range ----------------------------------------------------------------------------

void ScopeController::setYMinItemSilently(int item) {
  yMinItem_ = item;
  view_.showYMinItem(item);
}

void ScopeController::setYMaxItemSilently(int item) {
  yMaxItem_ = item;
  view_.showYMaxItem(item);
}

void ScopeController::selectYMinItem(int item) {
  if (item < 0 || item >= yMinItems_.size()) return;
  setYMinItemSilently(item);
  yMinChosen();
}

void ScopeController::selectYMaxItem(int item) {
  if (item < 0 || item >= yMaxItems_.size()) return;
  setYMaxItemSilently(item);
  yMaxChosen();
}

void ScopeController::yMaxChosen() {
  YMax_ = yMaxItems_.values[static_cast<std::size_t>(yMaxItem_)];
  if (!view_.isShown()) return;
  // Keep the lower end below the upper one.
  int j = yMinItem_;
  while (j < yMinItems_.size() - 1 && yMinItems_.values[static_cast<std::size_t>(j)] >= YMax_) ++j;
  if (j != yMinItem_) selectYMinItem(j);
  // The next readings start new lines instead of joining points drawn at the old scale.
  clearPens();
  redrawAll(Rescale::Keep);
}

void ScopeController::yMinChosen() {
  YMin_ = yMinItems_.values[static_cast<std::size_t>(yMinItem_)];
  if (!view_.isShown()) return;
  int k = yMaxItem_;
  while (k > 0 && yMaxItems_.values[static_cast<std::size_t>(k)] <= YMin_) --k;
  if (k != yMaxItem_) selectYMaxItem(k);
  redrawAll(Rescale::Keep);
}

void ScopeController::autoRangeValues(float min, float max) {
  if (window_.value()) return;
  if (max > YMax_) {
    int k = yMaxItem_;
    while (k > 0 && yMaxItems_.values[static_cast<std::size_t>(k)] < max) --k;
    if (k != yMaxItem_) selectYMaxItem(k);
  }
  if (min < YMin_) {
    int k = yMinItem_;
    const int last = yMinItems_.size() - 1;
    while (k < last && yMinItems_.values[static_cast<std::size_t>(k)] > min) ++k;
    if (k != yMinItem_) selectYMinItem(k);
  }
}

// --- drawing ----------------------------------------------------------------------------

void ScopeController::drawGrid() {
  kelvor::drawGrid(raster_, scale_);
}

void ScopeController::clearPicture() {
  raster_.clear();
  drawGrid();
  publishChanges();
}

void ScopeController::drawReading(int channel, double seconds, float value) {
  if (channel < 0 || channel >= TraceStore::Channels) return;
  const auto index = static_cast<std::size_t>(channel);
  // May rebuild the whole plot at a longer duration, which sets the pens anew.
  if (state_.autoScale()) autoRangeTime(static_cast<int>(seconds));
  PenPositions& pens = pens_[index];
  const PlotPoint p = map(seconds, static_cast<double>(value));
  if (ColumnThinning(view_.drawStyle(), pens.LastX).draws(p.x)) {
    const std::uint32_t colour = paletteRgb(ValueLists::ChannelColors[index]);
    if (pens.LastDrawnX != 0 || pens.LastDrawnY != 0) {
      raster_.line(pens.LastDrawnX, pens.LastDrawnY, p.x, p.y, colour);
    } else {
      raster_.dot(p.x, p.y, colour);
    }
    pens.LastDrawnX = p.x;
    pens.LastDrawnY = p.y;
  }
  pens.LastX = p.x;
  pens.LastY = p.y;
  publishChanges();
  if (!window_.following()) view_.showLiveMarker(liveMarker());
}

void ScopeController::breakLine(int channel) {
  if (channel >= 0 && channel < TraceStore::Channels)
    pens_[static_cast<std::size_t>(channel)].clear();
}

void ScopeController::clearPens() {
  for (PenPositions& pens : pens_) pens.clear();
}

void ScopeController::redrawTraces(Rescale rescale) {
  view_.setBusy(true);
  const ChannelsDrawn drawn = drawChannels(raster_, store_, scale_, view_.drawStyle(), pens_);

  if (state_.active()) {
    // The live lines go on from each channel's newest sample.
    for (int ch = 0; ch < TraceStore::Channels; ++ch) {
      PenPositions& pens = pens_[static_cast<std::size_t>(ch)];
      pens.clear();
      const int n = store_.count(ch);
      if (n < 1 || store_.value(ch, n) == InvalidValue) continue;
      const PlotPoint p =
          map(static_cast<double>(store_.time(ch, n)), static_cast<double>(store_.value(ch, n)));
      pens.LastX = pens.LastDrawnX = p.x;
      pens.LastY = pens.LastDrawnY = p.y;
    }
  }

  if (rescale == Rescale::Fit && state_.autoScale()) {
    autoRangeTime(drawn.lastTime);
    autoRangeValues(drawn.min, drawn.max);
  }
  view_.setBusy(false);
}

void ScopeController::redrawAll(Rescale rescale) {
  if (view_.isMinimised()) return;
  area_ = view_.layoutPlotArea();
  raster_.resize(area_.pictureWidth > 0 ? area_.pictureWidth : area_.innerWidth,
                 area_.pictureHeight > 0 ? area_.pictureHeight : area_.innerHeight);
  raster_.showPoints(area_.innerWidth, area_.innerHeight, area_.lineWidth);
  layOutTimeAxis();
  layOutYAxis();
  redrawTraces(rescale);
  publishChanges();
  view_.showLiveMarker(liveMarker());
}

void ScopeController::setLiveStart(double seconds) {
  if (seconds == liveStart_) return;
  liveStart_ = seconds;
  redrawAll(Rescale::Keep);
}

void ScopeController::layOutTimeAxis() {
  XAxisInput x;
  x.measuringSpan = measuringSpan_;
  x.W = static_cast<float>(area_.innerWidth);
  x.plotLeft = static_cast<float>(area_.left);
  x.plotTop = static_cast<float>(area_.top);
  x.plotWidth = static_cast<float>(area_.outerWidth);
  x.plotHeight = static_cast<float>(area_.outerHeight);
  x.firstTimeLabelWidth = static_cast<float>(TimeLabelWidth);
  x.decimalSeparator = separator_;
  XAxisLayout live = setTimeAxis(x);
  if (!live.computed) return;
  if (liveStart_ < 0 && live.step > 0) {
    // Whole divisions before time 0, so the labels stay at round times.
    const double division = static_cast<double>(live.step) * 60.0;
    x.startSeconds = std::floor(liveStart_ / division) * division;
    live = setTimeAxis(x);
  }
  liveLeft_ = x.startSeconds;
  XAxisLayout timeAxis = live;
  if (window_.time()) {
    // The span asked for, captioned from its left edge; readings are stored as live.
    x.measuringSpan = static_cast<float>(window_.time()->across / 60.0);
    x.startSeconds = window_.time()->left;
    timeAxis = setTimeAxis(x);
    timeAxis.StoreInterval = live.StoreInterval;
  }
  timeAxis.applyTo(scale_);
  if (onStoreInterval_) onStoreInterval_(scale_.StoreInterval);
  scale_.LeftTime = window_.time() ? window_.time()->left : liveLeft_;
  timeLabelTop_ = timeAxis.firstTimeLabelTop;
  captions_.follow(timeAxis);
  view_.applyTimeAxis(timeAxis);
}

void ScopeController::layOutYAxis() {
  YAxisInput y;
  y.YMin = window_.value() ? static_cast<float>(window_.value()->low) : YMin_;
  y.YMax = window_.value() ? static_cast<float>(window_.value()->high) : YMax_;
  y.H = area_.innerHeight;
  y.Hout = static_cast<float>(area_.outerHeight);
  y.plotTop = area_.top;
  y.firstValueLabelHeight = YLabelHeight;
  y.firstValueLabelTop = yLabelTop_;
  y.firstTimeLabelTop = timeLabelTop_;
  y.decimalSeparator = separator_;
  const YAxisLayout yAxis = setValueAxis(y);
  if (!yAxis.computed) return;
  yAxis.applyTo(scale_);
  if (yAxis.valueLabels[0].visible) yLabelTop_ = yAxis.valueLabels[0].top;
  captions_.follow(yAxis);
  view_.applyYAxis(yAxis);
  if (scale_.XDivPixels > 0) drawGrid();
}

// --- looking around ---------------------------------------------------------------------

ViewWindow::TimeSpan ScopeController::shownTimes() const {
  return {scale_.LeftTime, static_cast<double>(scale_.SecondsAcross)};
}

void ScopeController::zoomTime(double factor, double at) {
  window_.zoomTime(shownTimes(), factor, at);
  redrawAll(Rescale::Keep);
}

void ScopeController::moveTime(double widths) {
  window_.moveTime(shownTimes(), widths);
  redrawAll(Rescale::Keep);
}

void ScopeController::showWholeRecording() {
  double last = 0;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    const int n = store_.count(ch);
    if (n > 0 && std::isfinite(store_.time(ch, n))) {
      last = std::max(last, static_cast<double>(store_.time(ch, n)));
    }
  }
  window_.showTimes(0, last);
  redrawAll(Rescale::Keep);
}

void ScopeController::zoomValues(double factor, double at) {
  const double base = static_cast<double>(scale_.YBase);
  const double span = static_cast<double>(scale_.YSpan);
  const double h = static_cast<double>(area_.innerHeight);
  if (h <= 0 || !(span > 0)) return;
  // The values at the bottom and top edge of the plot.
  const double low = base - static_cast<double>(scale_.YOffsetPixels) * span / h;
  window_.zoomValue({low, low + span}, factor, at);
  redrawAll(Rescale::Keep);
}

void ScopeController::followLive() {
  window_.follow();
  redrawAll(Rescale::Keep);
}

void ScopeController::autoScaleChanged() {
  if (!window_.value()) return;
  window_.followValues();
  redrawAll(Rescale::Keep);
}

void ScopeController::setCursor(bool b, int column) {
  const double across = static_cast<double>(raster_.pointWidth()) * raster_.pixelsPerPointX();
  if (!(across > 0)) return;
  const double t = scale_.LeftTime + column / across * static_cast<double>(scale_.SecondsAcross);
  (b ? cursors_.b : cursors_.a) = t;
}

std::vector<int> ScopeController::cursorColumns() const {
  std::vector<int> columns;
  for (const auto& t : {cursors_.a, cursors_.b})
    if (t) columns.push_back(map(*t, 0).x);
  return columns;
}

Message ScopeController::liveMarker() const {
  if (window_.following()) return Message(MessageId::LiveMarker);
  const PenPositions& pens = pens_[static_cast<std::size_t>(state_.activeChannel())];
  const bool inside = pens.LastX >= 0 && pens.LastX < raster_.width() && pens.LastY >= 0 &&
                      pens.LastY < raster_.height();
  if (!state_.running() || inside) return Message(MessageId::PausedMarker);
  return Message(
      MessageId::PausedWithValue,
      {formatPattern(static_cast<double>(state_.currentValue()), "#0.0###", separator_)});
}

void ScopeController::recordingChanged(RecordingChange change, const RecordingState& state) {
  switch (change) {
    case RecordingChange::Started:
    case RecordingChange::Cleared:
      clearPens();
      break;
    case RecordingChange::Channel:
      breakLine(state.activeChannel());
      break;
    case RecordingChange::Replaying:
      livePens_ = pens_;
      clearPens();
      break;
    case RecordingChange::Restored:
      pens_ = livePens_;
      break;
    default:
      break;
  }
}

}  // namespace kelvor
