#include "ui/plot/ScopeWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "ui/common/ObjectNames.h"
#include "ui/common/Units.h"

namespace kelvor {

ScopeWidget::ScopeWidget(QWidget* parent) : QFrame(parent) {
  setObjectName(QLatin1String(ObjectNames::picScope));
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(Units::pointsToPixels(BorderPoints) / 2);
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
}

void ScopeWidget::setRaster(const Raster* raster) {
  raster_ = raster;
  update();
}

QImage ScopeWidget::picture() const {
  if (!raster_ || raster_->width() <= 0 || raster_->height() <= 0) return {};
  // The raster's rows are 32-bit RGB pixels already; wrap them without copying.
  return QImage(reinterpret_cast<const uchar*>(raster_->data()), raster_->width(),
                raster_->height(), raster_->width() * 4, QImage::Format_RGB32);
}

QRect ScopeWidget::widgetRectOf(const RasterRect& area) const {
  const QRect inner = contentsRect();
  if (!raster_ || raster_->width() <= 0 || raster_->height() <= 0) return inner;
  const double sx = static_cast<double>(inner.width()) / raster_->width();
  const double sy = static_cast<double>(inner.height()) / raster_->height();
  const int left = inner.left() + static_cast<int>(std::floor(area.x * sx));
  const int top = inner.top() + static_cast<int>(std::floor(area.y * sy));
  const int right = inner.left() + static_cast<int>(std::ceil((area.x + area.width) * sx));
  const int bottom = inner.top() + static_cast<int>(std::ceil((area.y + area.height) * sy));
  return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-1, -1, 1, 1);
}

void ScopeWidget::showChanged(const RasterRect& area) {
  if (!area.empty()) update(widgetRectOf(area));
}

void ScopeWidget::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  const QImage image = picture();
  if (image.isNull()) return;
  QPainter painter(this);
  painter.setClipRect(event->rect().intersected(contentsRect()));
  painter.drawImage(contentsRect(), image);
}

}  // namespace kelvor
