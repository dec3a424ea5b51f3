#pragma once

#include <QFrame>
#include <functional>
#include <vector>

#include "core/scope/PlotReadout.h"
#include "core/scope/Raster.h"

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRect widgetRectOf(const RasterRect& area) const;
  void paintReadout(QPainter& painter) const;

  const Raster* raster_ = nullptr;
  Readout readout_;
  int cursorX_ = -1;  // in widget coordinates; -1 without a readout
  std::vector<ReadoutLine> shown_;
};

}  // namespace kelvor
