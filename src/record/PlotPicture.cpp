// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/PlotPicture.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <unordered_map>

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
  font.setStyleStrategy(QFont::NoAntialias);  // white only: the picture keeps a palette
  painter.setFont(font);
  painter.setPen(Qt::white);
  const double bottom = plot.raster().pointHeight() - 3;
  // A value label low enough to run into the time labels' row gives way to them.
  for (const YAxisLabel& label : plot.valueLabels())
    if (label.top + 11 < bottom - 11)
      painter.drawText(QPointF(3, label.top + 11), QString::fromStdString(label.caption));
  for (const ReviewPlot::TimeLabel& label : plot.timeLabels()) {
    const QString caption = QString::fromStdString(label.caption);
    const double width = painter.fontMetrics().horizontalAdvance(caption);
    const double right = plot.raster().pointWidth() - width;
    painter.drawText(QPointF(std::clamp(label.centre - width / 2, 0.0, right), bottom), caption);
  }
}

}  // namespace

PlotPicture::PlotPicture(char decimalSeparator)
    : separator_(decimalSeparator), plot_(TraceStore::LastSlot, decimalSeparator) {
  plot_.setTimes(std::nullopt, TimeLabelWidth);
}

QByteArray PlotPicture::png(const TraceStore& store, const HttpAccess::PlotSize& size) {
  plot_.store() = store;
  plot_.resize(0, 0, 0, 0, 1);  // no drawing until the span is set; the buffer stays
  if (size.minutes > 0)
    plot_.showLast(size.minutes * 60.0);
  else
    plot_.showAll();
  plot_.resize(size.width, size.height, size.width * size.ratio, size.height * size.ratio,
               size.ratio);
  const Raster& raster = plot_.raster();
  if (picture_.width() != raster.width() || picture_.height() != raster.height())
    picture_ = QImage(raster.width(), raster.height(), QImage::Format_RGB32);
  const auto rowBytes = static_cast<std::size_t>(raster.width()) * sizeof(std::uint32_t);
  for (int y = 0; y < raster.height(); ++y)
    std::memcpy(picture_.scanLine(y), raster.data() + static_cast<std::size_t>(y) * raster.width(),
                rowBytes);
  picture_.setDevicePixelRatio(1);
  drawLabels(picture_, plot_, size.ratio);
  QImage& out = toPalette() ? indexed_ : picture_;
  out.setDevicePixelRatio(size.ratio);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  out.save(&buffer, "PNG");
  if (static_cast<std::int64_t>(raster.width()) * raster.height() > KeptPixels) {
    plot_ = ReviewPlot(TraceStore::LastSlot, separator_);
    plot_.setTimes(std::nullopt, TimeLabelWidth);
    picture_ = QImage();
    indexed_ = QImage();
  }
  return png;
}

bool PlotPicture::toPalette() {
  const int w = picture_.width(), h = picture_.height();
  if (indexed_.width() != w || indexed_.height() != h)
    indexed_ = QImage(w, h, QImage::Format_Indexed8);
  QList<QRgb> colours;
  std::unordered_map<QRgb, uchar> index;
  QRgb last = 0;
  uchar lastIndex = 0;
  bool any = false;
  for (int y = 0; y < h; ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(picture_.constScanLine(y));
    uchar* to = indexed_.scanLine(y);
    for (int x = 0; x < w; ++x) {
      const QRgb colour = from[x];
      if (!any || colour != last) {  // long runs of one colour: the background mostly
        const auto found = index.find(colour);
        if (found != index.end()) {
          lastIndex = found->second;
        } else {
          if (colours.size() == 256) return false;
          lastIndex = static_cast<uchar>(colours.size());
          index.emplace(colour, lastIndex);
          colours.push_back(colour);
        }
        last = colour;
        any = true;
      }
      to[x] = lastIndex;
    }
  }
  indexed_.setColorTable(colours);
  return true;
}

}  // namespace kelvor
