// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QLabel>
#include <functional>
#include <vector>

#include "core/plot/PlotReadout.h"
#include "core/plot/Raster.h"

namespace kelvor {

// The plot area: shows the plot's picture, which lives on in the raster, so the plot keeps
// its picture when covered. The raster has the device pixels of the area inside the 2-point
// sunken border and is shown one to one.
class ScopeWidget : public QFrame {
  Q_OBJECT

 public:
  static constexpr double BorderPoints = 2.0;

  explicit ScopeWidget(QWidget* parent = nullptr);

  void setRaster(const Raster* raster);
  // Repaints the part of the widget that shows this area of the raster.
  void showChanged(const RasterRect& area);
  void showAll() { update(); }

  // The size in device pixels that the picture needs, and how many device pixels wide a
  // line one point wide is drawn.
  QSize pictureSize() const;
  int lineWidth() const;

  // The current picture at its raster size, as the window shows it.
  QImage picture() const;

  // The readout's lines for a pixel column of the picture. While the mouse is over the plot a
  // cursor line and a box with these lines are painted over the picture, never into it.
  using Readout = std::function<std::vector<ReadoutLine>(int column)>;
  void setReadout(Readout readout) { readout_ = std::move(readout); }
  // The lines shown now; none while the mouse is elsewhere.
  const std::vector<ReadoutLine>& readoutShown() const { return shown_; }

  // What the user asks of the view: the wheel zooms the time axis around the pointer (with
  // Ctrl the values), dragging with the left button moves it, + and - zoom, the arrow keys
  // move, Home shows everything and End, or a click on the live marker, follows live again.
  // `at` is the pointer's place across the width (0 left) or up the height (0 bottom).
  struct ViewRequests {
    std::function<void(double factor, double at)> zoomTime;
    std::function<void(double factor, double at)> zoomValues;
    std::function<void(double widths)> moveTime;
    std::function<void()> showAll;
    std::function<void()> followLive;
    // A click sets cursor A, a click with Shift cursor B; Esc clears them.
    std::function<void(int column, bool b)> setCursor;
    std::function<void()> clearCursors;
  };
  void setViewRequests(ViewRequests requests) { requests_ = std::move(requests); }
  // The marker in the top right corner ("Live" or "Angehalten").
  void setLiveMarker(const QString& text);
  const QLabel* liveMarker() const { return marker_; }
  // The cursors' columns in the picture and their readout, asked for at each paint.
  struct CursorDisplay {
    std::vector<int> columns;
    std::vector<ReadoutLine> lines;
  };
  void setCursorSource(std::function<CursorDisplay()> source) { cursorSource_ = std::move(source); }
  // The cursors' readout as last painted.
  const std::vector<ReadoutLine>& cursorLinesShown() const { return cursorsShown_.lines; }
  // Where the cursors' box was last painted; empty without one.
  QRect cursorBoxShown() const { return cursorBox_; }
  // The colour of the boxes' borders and of the line under the pointer.
  static inline const QColor BoxBorder{160, 160, 160};

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect widgetRectOf(const RasterRect& area) const;
  void placeMarker();
  // Paints the lines in a box with a corner at `corner` (its top left, or its bottom left);
  // returns the box.
  QRect paintBox(QPainter& painter, QPoint corner, bool cornerIsBottom,
                 const std::vector<ReadoutLine>& lines) const;
  static constexpr int BoxPadding = 3;

  const Raster* raster_ = nullptr;
  Readout readout_;
  int cursorX_ = -1;  // in widget coordinates; -1 without a readout
  std::vector<ReadoutLine> shown_;
  ViewRequests requests_;
  QLabel* marker_;
  int pressX_ = -1;  // where the left button went down; -1 while it is up
  int dragX_ = -1;   // where the last drag step ended; -1 until the press became a drag
  std::function<CursorDisplay()> cursorSource_;
  CursorDisplay cursorsShown_;
  QRect cursorBox_;
};

}  // namespace kelvor
