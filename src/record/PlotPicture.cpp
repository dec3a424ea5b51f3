// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/PlotPicture.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "core/plot/ReviewPlot.h"

namespace kelvor {

namespace {

constexpr double TimeLabelWidth = 40;  // points

// The labels need fonts, which only a program with a graphical side has.
void drawLabels(QImage& image, const ReviewPlot& plot, int ratio) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  QPainter painter(&image);
  painter.scale(ratio, ratio);
  QFont font = painter.font();
  font.setPixelSize(11);
  painter.setFont(font);
  painter.setPen(Qt::white);
  for (const YAxisLabel& label : plot.valueLabels())
    painter.drawText(QPointF(3, label.top + 11), QString::fromStdString(label.caption));
  const double bottom = plot.raster().pointHeight() - 3;
  for (const ReviewPlot::TimeLabel& label : plot.timeLabels()) {
    const QString caption = QString::fromStdString(label.caption);
    const double width = painter.fontMetrics().horizontalAdvance(caption);
    const double right = plot.raster().pointWidth() - width;
    painter.drawText(QPointF(std::clamp(label.centre - width / 2, 0.0, right), bottom), caption);
  }
}

}  // namespace

QByteArray plotPng(const TraceStore& store, const HttpAccess::PlotSize& size,
                   char decimalSeparator) {
  ReviewPlot plot(store.lastSlot(), decimalSeparator);
  plot.store() = store;
  plot.setTimes(std::nullopt, TimeLabelWidth);
  plot.resize(size.width, size.height, size.width * size.ratio, size.height * size.ratio,
              size.ratio);
  if (size.minutes > 0) plot.showLast(size.minutes * 60.0);
  const Raster& raster = plot.raster();
  QImage image(reinterpret_cast<const uchar*>(raster.data()), raster.width(), raster.height(),
               QImage::Format_RGB32);
  image = image.copy();
  drawLabels(image, plot, size.ratio);
  image.setDevicePixelRatio(size.ratio);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

}  // namespace kelvor
