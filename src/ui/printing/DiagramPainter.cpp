// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/DiagramPainter.h"

#include <QFontMetrics>
#include <QLine>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QVector>
#include <algorithm>

namespace kelvor {

namespace {

QColor colourOf(std::uint32_t rgb) {
  return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>(rgb & 0xFF));
}

// Square caps: a line of no length is still a dot of the pen's width (with round caps the
// raster engine leaves it out when it draws without antialiasing).
QPen penFor(const PictureLine& line) {
  return QPen(colourOf(line.colour), std::max(line.width, 0), Qt::SolidLine, Qt::SquareCap,
              Qt::MiterJoin);
}

void drawLines(QPainter& painter, const std::vector<PictureLine>& lines) {
  QVector<QLine> batch;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const PictureLine& line = lines[i];
    batch.append(QLine(line.x1, line.y1, line.x2, line.y2));
    const bool penChanges = i + 1 == lines.size() || lines[i + 1].colour != line.colour ||
                            lines[i + 1].width != line.width;
    if (penChanges) {
      painter.setPen(penFor(line));
      painter.drawLines(batch);
      batch.clear();
    }
  }
}

void drawTexts(QPainter& painter, const std::vector<PictureText>& texts) {
  painter.setPen(QPen(Qt::black));
  PictureFont current;
  bool fontSet = false;
  for (const PictureText& text : texts) {
    if (!fontSet || text.font != current) {
      current = text.font;
      fontSet = true;
      if (!current.face.empty()) painter.setFont(diagramFont(current));
    }
    const QString caption = QString::fromStdString(text.text);
    // The position is the cell's top-left corner; Qt places text on its baseline.
    const int ascent = painter.fontMetrics().ascent();
    if (current.escapement == 0) {
      painter.drawText(QPoint(text.x, text.y + ascent), caption);
      continue;
    }
    painter.save();
    painter.translate(text.x, text.y);
    painter.rotate(-current.escapement / 10.0);  // tenths of a degree, counter-clockwise
    painter.drawText(QPoint(0, ascent), caption);
    painter.restore();
  }
}

}  // namespace

QFont diagramFont(const PictureFont& font) {
  QFont qfont(QString::fromStdString(font.face));
  qfont.setPixelSize(std::max(font.height, 1));
  qfont.setStyleStrategy(QFont::PreferOutline);
  return qfont;
}

TextMeasure textMeasureFor(const QPaintDevice* device) {
  return [device](const std::string& text, const PictureFont& font) {
    const QFontMetrics metrics(diagramFont(font), device);
    return TextExtent{metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
  };
}

void paintDiagram(QPainter& painter, const DiagramPicture& picture) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  drawLines(painter, picture.lines());
  // Texts keep the device's smoothing; only the lines must hit exact dots.
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  drawTexts(painter, picture.texts());
  painter.restore();
}

}  // namespace kelvor
