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
  // The lines first, then the boxes over them: no line crosses a box's text.
  const QRect inner = contentsRect();
  cursorsShown_ = cursorSource_ ? cursorSource_() : CursorDisplay{};
  cursorBox_ = QRect();
  if (!cursorsShown_.lines.empty()) {
    painter.setPen(QColor(255, 255, 255));
    for (const int column : cursorsShown_.columns) {
      const int x = inner.left() + static_cast<int>(std::lround(column / devicePixelRatioF()));
      if (x >= inner.left() && x <= inner.right())
        painter.drawLine(x, inner.top(), x, inner.bottom());
    }
  }
  if (cursorX_ >= 0) {
    painter.setPen(BoxBorder);
    painter.drawLine(cursorX_, inner.top(), cursorX_, inner.bottom());
  }
  if (!cursorsShown_.lines.empty())
    cursorBox_ =
        paintBox(painter, {inner.left() + 4, inner.bottom() - 4}, true, cursorsShown_.lines);
  if (cursorX_ >= 0)
    paintBox(painter, {cursorX_ + 2 * BoxPadding, inner.top() + BoxPadding}, false, shown_);
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

// A black box with the lines in their colours, sized to the lines as the painter lays them
// out (the glyphs of "Δ" or "Ø" may come from a taller font than the widget's own). It goes
// left of its left edge where it would leave the plot on the right, but not out on the left.
QRect ScopeWidget::paintBox(QPainter& painter, QPoint corner, bool cornerIsBottom,
                            const std::vector<ReadoutLine>& lines) const {
  constexpr int Flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
  std::vector<QRect> rects;
  QSize text;
  for (const ReadoutLine& line : lines) {
    rects.push_back(painter.boundingRect(QRect(), Flags, QString::fromStdString(line.text)));
    text =
        QSize(std::max(text.width(), rects.back().width()), text.height() + rects.back().height());
  }
  // The border is drawn on the box's outermost pixels, the text inside them.
  QRect box(corner, text + QSize(2 * BoxPadding + 2, 2 * BoxPadding + 2));
  if (cornerIsBottom) box.moveBottom(corner.y());
  const QRect inner = contentsRect();
  if (box.right() > inner.right()) box.moveRight(box.left() - 4 * BoxPadding);
  if (box.left() < inner.left()) box.moveLeft(inner.left());
  painter.fillRect(box, Qt::black);
  painter.setPen(BoxBorder);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  int top = box.top() + 1 + BoxPadding;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    painter.setPen(QColor::fromRgb(static_cast<QRgb>(lines[i].rgb)));
    const QRect place(box.left() + 1 + BoxPadding, top, text.width(), rects[i].height());
    painter.drawText(place, Flags, QString::fromStdString(lines[i].text));
    top += rects[i].height();
  }
  return box;
}

}  // namespace kelvor
