// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plot/ScopeWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/common/ObjectNames.h"
#include "ui/common/Units.h"

namespace kelvor {

ScopeWidget::ScopeWidget(QWidget* parent) : QFrame(parent), marker_(new QLabel(this)) {
  setObjectName(QLatin1String(ObjectNames::picScope));
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(Units::pointsToPixels(BorderPoints) / 2);
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  marker_->setObjectName(QStringLiteral("lblLive"));
  marker_->setStyleSheet(QStringLiteral("color: rgb(192, 192, 192); background: black;"));
  marker_->setCursor(Qt::PointingHandCursor);
  marker_->installEventFilter(this);
  marker_->hide();
}

void ScopeWidget::setLiveMarker(const QString& text) {
  marker_->setText(text);
  marker_->adjustSize();
  placeMarker();
  marker_->show();
}

void ScopeWidget::placeMarker() {
  const QRect inner = contentsRect();
  marker_->move(inner.right() - marker_->width() - 2, inner.top() + 2);
}

void ScopeWidget::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  placeMarker();
}

bool ScopeWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == marker_ && event->type() == QEvent::MouseButtonPress && requests_.followLive) {
    requests_.followLive();
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

void ScopeWidget::wheelEvent(QWheelEvent* event) {
  const QRect inner = contentsRect();
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0 || inner.isEmpty()) return QFrame::wheelEvent(event);
  const double factor = std::pow(1.25, steps);
  const QPointF at = event->position() - inner.topLeft();
  if (event->modifiers() & Qt::ControlModifier) {
    if (requests_.zoomValues) requests_.zoomValues(factor, 1.0 - at.y() / inner.height());
  } else if (requests_.zoomTime) {
    requests_.zoomTime(factor, at.x() / inner.width());
  }
  event->accept();
}

void ScopeWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressX_ = event->position().toPoint().x();
  QFrame::mousePressEvent(event);
}

// A press and release without a drag is a click: it sets a cursor.
void ScopeWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && pressX_ >= 0) {
    if (dragX_ < 0 && requests_.setCursor) {
      const auto column = std::lround((pressX_ - contentsRect().left()) * devicePixelRatioF());
      requests_.setCursor(static_cast<int>(column), event->modifiers() & Qt::ShiftModifier);
      update();
    }
    pressX_ = dragX_ = -1;
  }
  QFrame::mouseReleaseEvent(event);
}

void ScopeWidget::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Minus) && requests_.zoomTime) {
    requests_.zoomTime(key == Qt::Key_Minus ? 0.5 : 2.0, 0.5);
  } else if ((key == Qt::Key_Left || key == Qt::Key_Right) && requests_.moveTime) {
    requests_.moveTime(key == Qt::Key_Left ? -0.25 : 0.25);
  } else if (key == Qt::Key_Home && requests_.showAll) {
    requests_.showAll();
  } else if (key == Qt::Key_End && requests_.followLive) {
    requests_.followLive();
  } else if (key == Qt::Key_Escape && requests_.clearCursors) {
    requests_.clearCursors();
    update();
  } else {
    QFrame::keyPressEvent(event);
  }
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
  paintCursors(painter);
  if (cursorX_ >= 0) paintReadout(painter);
}

void ScopeWidget::paintCursors(QPainter& painter) {
  cursorsShown_ = cursorSource_ ? cursorSource_() : CursorDisplay{};
  if (cursorsShown_.lines.empty()) return;
  const QRect inner = contentsRect();
  painter.setPen(QColor(255, 255, 255));
  for (const int column : cursorsShown_.columns) {
    const int x = inner.left() + static_cast<int>(std::lround(column / devicePixelRatioF()));
    if (x >= inner.left() && x <= inner.right())
      painter.drawLine(x, inner.top(), x, inner.bottom());
  }
  const QFontMetrics metrics(font());
  QRect box(inner.left() + 4, 0, 0, 0);
  box.setHeight(metrics.height() * static_cast<int>(cursorsShown_.lines.size()) + 6);
  box.moveBottom(inner.bottom() - 4);
  paintBox(painter, box, cursorsShown_.lines);
}

void ScopeWidget::mouseMoveEvent(QMouseEvent* event) {
  const QRect inner = contentsRect();
  const int x = event->position().toPoint().x();
  constexpr int DragStart = 3;  // pixels the pointer moves before a press becomes a drag
  if (pressX_ >= 0 && dragX_ < 0 && std::abs(x - pressX_) > DragStart) dragX_ = pressX_;
  if (dragX_ >= 0 && (event->buttons() & Qt::LeftButton) && x != dragX_ && !inner.isEmpty()) {
    const double widths = static_cast<double>(dragX_ - x) / inner.width();
    dragX_ = x;
    if (requests_.moveTime) requests_.moveTime(widths);
  }
  cursorX_ = readout_ && inner.contains(event->position().toPoint()) ? x : -1;
  const auto column = std::lround((x - inner.left()) * devicePixelRatioF());
  shown_ = cursorX_ >= 0 ? readout_(static_cast<int>(column)) : std::vector<ReadoutLine>{};
  update();
  QFrame::mouseMoveEvent(event);
}

void ScopeWidget::leaveEvent(QEvent* event) {
  cursorX_ = -1;
  shown_.clear();
  update();
  QFrame::leaveEvent(event);
}

void ScopeWidget::paintReadout(QPainter& painter) const {
  const QRect inner = contentsRect();
  painter.setPen(QColor(160, 160, 160));
  painter.drawLine(cursorX_, inner.top(), cursorX_, inner.bottom());
  const QFontMetrics metrics(font());
  const int pad = 3;
  QRect box(cursorX_ + 2 * pad, inner.top() + pad, 0,
            metrics.height() * static_cast<int>(shown_.size()) + 2 * pad);
  paintBox(painter, box, shown_);
}

// A black box with the lines in their colours; its width follows the longest line, and it
// goes left of its left edge where it would leave the plot on the right.
void ScopeWidget::paintBox(QPainter& painter, QRect box,
                           const std::vector<ReadoutLine>& lines) const {
  const QRect inner = contentsRect();
  const QFontMetrics metrics(font());
  const int pad = 3;
  int width = 0;
  for (const ReadoutLine& line : lines)
    width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(line.text)));
  box.setWidth(width + 2 * pad);
  if (box.right() > inner.right()) box.moveRight(box.left() - 4 * pad);
  painter.setPen(QColor(160, 160, 160));
  painter.fillRect(box, Qt::black);
  painter.drawRect(box);
  int baseline = box.top() + pad + metrics.ascent();
  for (const ReadoutLine& line : lines) {
    painter.setPen(QColor::fromRgb(static_cast<QRgb>(line.rgb)));
    painter.drawText(box.left() + pad, baseline, QString::fromStdString(line.text));
    baseline += metrics.height();
  }
}

}  // namespace kelvor
