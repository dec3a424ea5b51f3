// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/plot/AxisCaptions.h"
#include "core/plot/PenPositions.h"
#include "core/plot/PlotCursors.h"
#include "core/plot/PlotDrawing.h"
#include "core/plot/RangeLists.h"
#include "core/plot/Raster.h"
#include "core/plot/ScaleParams.h"
#include "core/plot/TraceView.h"
#include "core/plot/ViewWindow.h"
#include "core/recording/Recording.h"
#include "core/recording/TraceStore.h"
#include "core/text/Message.h"

namespace kelvor {

struct XAxisLayout;
struct YAxisLayout;

// Whether a redraw may change the ranges: Keep leaves them; Fit lets the automatic ranges
// (when chosen) take in the drawn samples.
enum class Rescale { Keep, Fit };

// The plot area's place in the window (points) after it was sized to the window, and the
// size of its picture in device pixels (0: one pixel per point) with the width in pixels of
// a line one point wide.
struct PlotArea {
  double left = 24;
  double top = 114;
  double outerWidth = 0;
  double outerHeight = 0;
  int innerWidth = 0;
  int innerHeight = 0;
  int pictureWidth = 0;
  int pictureHeight = 0;
  int lineWidth = 1;
};

// What the plot needs from the main window.
class ScopeView {
 public:
  virtual ~ScopeView() = default;
  virtual bool isMinimised() const = 0;
  virtual bool isShown() const = 0;
  // Sizes the plot area to the window (whole points) and tells where it now is.
  virtual PlotArea layoutPlotArea() = 0;
  virtual void applyTimeAxis(const XAxisLayout& layout) = 0;
  virtual void applyYAxis(const YAxisLayout& layout) = 0;
  // The hourglass during long work.
  virtual void setBusy(bool busy) = 0;
  // Part of the picture changed (device pixels); repaint just that.
  virtual void plotChanged(const RasterRect& area) = 0;
  virtual DrawStyle drawStyle() const = 0;
  // Show a selection made by the program, without raising the list's handler.
  virtual void showDurationItem(int item) = 0;
  virtual void showYMinItem(int item) = 0;
  virtual void showYMaxItem(int item) = 0;
  // "Live" while the plot follows the recording, else "Angehalten" ("Paused") (with the newest
  // value when it lies outside the picture).
  virtual void showLiveMarker(const Message& marker) { (void)marker; }
};

// The plot: its picture, its scales, the duration and Y range lists, live drawing and the
// full rebuild. Selecting a list item from here runs that list's handler at once, as a
// user's choice does; an automatic range change inside a drawing step therefore rebuilds
// the plot before the step goes on.
class ScopeController : public RecordingListener, public TraceView {
 public:
  // Size of the axis labels, in points.
  static constexpr double TimeLabelWidth = 24.75;
  static constexpr double YLabelHeight = 12.75;
  // Height of the window's inner area that is not plot: the panel above, labels below.
  static constexpr double NonPlotHeight = 136;

  ScopeController(const RecordingState& state, TraceStore& store, ScopeView& view,
                  char decimalSeparator);

  const std::vector<std::string>& durationTexts() const { return durationItems_; }
  const YRangeItems& yMinList() const { return yMinItems_; }
  const YRangeItems& yMaxList() const { return yMaxItems_; }

  // Take the list's selection (already made) and redraw at it.
  void durationChosen();
  void yMinChosen();
  void yMaxChosen();
  // Select an item as the program does: shows it and runs the handler.
  void selectDurationItem(int item);
  void selectYMinItem(int item);
  void selectYMaxItem(int item);
  // Set a selection silently, as start-up does while the lists are being filled.
  void setYRange(float yMin, float yMax) {
    YMin_ = yMin;
    YMax_ = yMax;
  }
  void setYMinItemSilently(int item);
  void setYMaxItemSilently(int item);

  // Told the readings per stored sample whenever the time axis is laid out.
  void setStoreIntervalHandler(std::function<void(int)> handler) {
    onStoreInterval_ = std::move(handler);
  }

  void drawGrid();
  // A channel's live line goes on to a reading (seconds since the recording's start) in the
  // channel's colour, from where its last reading left it or as a dot to begin with; with
  // "1/Spalte" only the first reading of a column is drawn. The automatic time range widens
  // to take it in; the Y range is the caller's, after the reading is stored.
  void drawReading(int channel, double seconds, float value) override;
  // The channel's next reading starts a new line.
  void breakLine(int channel) override;
  void redrawFromStore() override { redrawAll(Rescale::Keep); }
  void setLiveStart(double seconds) override;
  void redrawTraces(Rescale rescale);
  void redrawAll(Rescale rescale);
  void autoRangeTime(int t);
  void autoRangeValues(float min, float max) override;
  // Clears the picture down to the grid; the stored samples stay.
  void clearPicture();

  // Looking around; each redraws. `at` is the pointer's place across the width (0 left) or
  // up the height (0 bottom). While the time axis is zoomed or moved the plot stays where it
  // is put and the duration is not widened; while the values are zoomed their automatic
  // range pauses.
  void zoomTime(double factor, double at);
  void moveTime(double widths);
  void showWholeRecording();
  void zoomValues(double factor, double at);
  void followLive();
  // The automatic ranges were switched on or off: the values follow them again.
  void autoScaleChanged() override;
  const ViewWindow& viewWindow() const { return window_; }
  // Cursor A (or B) at a column of the picture; the cursors' columns where they are shown.
  void setCursor(bool b, int column);
  void clearCursors() { cursors_ = {}; }
  const PlotCursors& cursors() const { return cursors_; }
  std::vector<int> cursorColumns() const;
  Message liveMarker() const;

  const Raster& raster() const { return raster_; }
  const ScaleParams& scale() const { return scale_; }
  float YMin() const { return YMin_; }
  float YMax() const { return YMax_; }
  float measuringSpan() const { return measuringSpan_; }
  int durationItem() const { return durationItem_; }
  int yMinItem() const { return yMinItem_; }
  int yMaxItem() const { return yMaxItem_; }
  const PlotArea& plotArea() const { return area_; }
  // The axis labels as the last layouts captioned them.
  const AxisCaptions& captions() const { return captions_; }
  DrawStyle drawStyle() const { return view_.drawStyle(); }
  // The live lines start anew where the recording breaks off.
  void recordingChanged(RecordingChange change, const RecordingState& state) override;

 private:
  PlotPoint map(double t, double v) const;
  void layOutTimeAxis();
  void layOutYAxis();
  void publishChanges();
  ViewWindow::TimeSpan shownTimes() const;
  void clearPens();

  const RecordingState& state_;
  TraceStore& store_;
  ScopeView& view_;
  char separator_;
  ChannelPens pens_;      // where each channel's live line stands
  ChannelPens livePens_;  // the live lines' pens while a journal is replayed
  std::function<void(int)> onStoreInterval_;

  Raster raster_;
  ScaleParams scale_;
  PlotArea area_;
  double timeLabelTop_ = 276;  // lblX(0)'s top, moved by the time axis
  double yLabelTop_ = 267;     // lblY(0)'s top, moved by the Y axis
  AxisCaptions captions_;
  ViewWindow window_;
  PlotCursors cursors_;

  std::vector<std::string> durationItems_;
  YRangeItems yMinItems_;
  YRangeItems yMaxItems_;
  int durationItem_ = -1;
  int yMinItem_ = -1;
  int yMaxItem_ = -1;
  float measuringSpan_ = 0.0f;
  double liveStart_ = 0.0;  // the earliest reading the live picture shows
  double liveLeft_ = 0.0;   // its left edge: a whole division before liveStart_, or 0
  float YMin_ = 0.0f;
  float YMax_ = 1.5f;
};

}  // namespace kelvor
