// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/ClipboardPicture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QString>
#include <QSvgGenerator>

#include "ui/printing/DiagramPainter.h"

namespace kelvor {

namespace {

// 96 units per inch as dots per metre (96 / 0.0254, rounded).
constexpr int DotsPerMetre = 3780;

QString millimetres(int hundredths) {
  return QString::number(hundredths / 100.0, 'g', 10) + QStringLiteral("mm");
}

// The generator can only write a whole number of units as the page size, which makes the
// height 224.10 mm; the picture's own size is 381 mm x 224.12 mm, so the root element's
// width and height are set to that.
QByteArray withPictureSize(QByteArray svg) {
  const int start = svg.indexOf("<svg");
  const int end = start < 0 ? -1 : svg.indexOf('>', start);
  if (end < 0) return svg;
  QString tag = QString::fromUtf8(svg.mid(start, end - start));
  static const QRegularExpression width(QStringLiteral("\\swidth=\"[^\"]*\""));
  static const QRegularExpression height(QStringLiteral("\\sheight=\"[^\"]*\""));
  tag.remove(width);
  tag.remove(height);
  tag.insert(4, QStringLiteral(" width=\"%1\" height=\"%2\"")
                    .arg(millimetres(ClipboardPicture::WidthHundredthsMm),
                         millimetres(ClipboardPicture::HeightHundredthsMm)));
  svg.replace(start, end - start, tag.toUtf8());
  return svg;
}

QImage measuringDevice() {
  QImage device(1, 1, QImage::Format_RGB32);
  device.setDotsPerMeterX(DotsPerMetre);
  device.setDotsPerMeterY(DotsPerMetre);
  return device;
}

}  // namespace

DiagramPicture ClipboardPicture::layout(const DiagramInput& input) {
  const QImage device = measuringDevice();
  DeviceInfo info;
  info.metafile = true;
  info.measureText = textMeasureFor(&device);
  return layoutDiagram(input, info);
}

QByteArray ClipboardPicture::svg(const DiagramPicture& picture) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(Width, Height));
  generator.setViewBox(QRect(0, 0, Width, Height));
  generator.setResolution(UnitsPerInch);
  generator.setTitle(QStringLiteral("Kelvor"));
  generator.setDescription(QString());
  QPainter painter(&generator);
  paintDiagram(painter, picture);
  painter.end();
  return withPictureSize(buffer.data());
}

QImage ClipboardPicture::image(const DiagramPicture& picture) {
  QImage bitmap(Width, Height, QImage::Format_RGB32);
  bitmap.setDotsPerMeterX(DotsPerMetre);
  bitmap.setDotsPerMeterY(DotsPerMetre);
  bitmap.fill(Qt::white);
  QPainter painter(&bitmap);
  paintDiagram(painter, picture);
  painter.end();
  return bitmap;
}

QMimeData* ClipboardPicture::mimeData(const DiagramPicture& picture) {
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(SvgMimeType), svg(picture));
  data->setImageData(image(picture));
  return data;
}

void ClipboardPicture::copy(const DiagramInput& input) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return;
  clipboard->setMimeData(mimeData(layout(input)));
}

}  // namespace kelvor
