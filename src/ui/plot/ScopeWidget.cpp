#include "ui/plot/ScopeWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
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

QSize ScopeWidget::pictureSize() const {
  const double ratio = devicePixelRatioF();
  const QSize inner = contentsRect().size();
  return QSize(static_cast<int>(std::lround(inner.width() * ratio)),
               static_cast<int>(std::lround(inner.height() * ratio)));
}

int ScopeWidget::lineWidth() const {
  return std::max(1, static_cast<int>(std::lround(devicePixelRatioF())));
}

QImage ScopeWidget::picture() const {
  if (!raster_ || raster_->width() <= 0 || raster_->height() <= 0) return {};
  // The raster's rows are 32-bit RGB pixels already; wrap them without copying.
  QImage image(reinterpret_cast<const uchar*>(raster_->data()), raster_->width(), raster_->height(),
               raster_->width() * 4, QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatioF());
  return image;
}

QRect ScopeWidget::widgetRectOf(const RasterRect& area) const {
  const QRect inner = contentsRect();
  const double scale = 1.0 / devicePixelRatioF();
  const int left = inner.left() + static_cast<int>(std::floor(area.x * scale));
  const int top = inner.top() + static_cast<int>(std::floor(area.y * scale));
  const int right = inner.left() + static_cast<int>(std::ceil((area.x + area.width) * scale));
  const int bottom = inner.top() + static_cast<int>(std::ceil((area.y + area.height) * scale));
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
  painter.drawImage(contentsRect().topLeft(), image);
}

}  // namespace kelvor
