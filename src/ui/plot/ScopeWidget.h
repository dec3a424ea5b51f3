#pragma once

#include <QFrame>

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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect widgetRectOf(const RasterRect& area) const;

  const Raster* raster_ = nullptr;
};

}  // namespace kelvor
