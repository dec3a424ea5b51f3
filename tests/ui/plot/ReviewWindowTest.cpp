// SPDX-License-Identifier: GPL-3.0-or-later
// A week-long journal reviewed at its full resolution beside the live recording.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cmath>
#include <tuple>

#include "core/journal/JournalFormat.h"
#include "core/scope/PlotDrawing.h"
#include "core/scope/ValueLists.h"
#include "ui/plot/ReviewWindow.h"
#include "ui/plot/ScopeWidget.h"

namespace kelvor {
namespace {

// A reading a second for a week; the value is the second modulo 1000.
QString weekJournal(const QTemporaryDir& folder) {
  QByteArray text = "time;utc;elapsed_s;channel;value;unit;mode;status;raw\r\n";
  for (int t = 0; t < 604800; ++t)
    text += "t;u;" + QByteArray::number(t) + ",000;1;" + QByteArray::number(t % 1000) +
            ";V;DC;ok;r\r\n";
  const QString path = folder.filePath(QStringLiteral("2026-12-06_14-03-07_COM1.csv"));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
  return path;
}

void click(ScopeWidget* plot, int column, Qt::KeyboardModifiers modifiers) {
  const QPointF at(plot->contentsRect().left() + column / plot->devicePixelRatioF(),
                   plot->contentsRect().center().y());
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, plot->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(plot, &event);
  }
}

TEST(ReviewWindow, AWeekZoomedToAMinuteShowsItsSixtyReadingsAndTheCursorsMeasureThem) {
  QTemporaryDir folder;
  ReviewWindow review(',');
  review.show();
  EXPECT_TRUE(review.open({weekJournal(folder)}).isEmpty());
  ReviewPlot& plot = review.plot();
  ASSERT_EQ(plot.store().count(0), 604800);
  auto* caption = review.findChild<QLabel*>(QStringLiteral("lblReviewSpan"));
  EXPECT_TRUE(caption->text().startsWith(QStringLiteral("t 00:00:00 \u2026 ")))
      << caption->text().toStdString();
  review.findChild<QCheckBox*>(QStringLiteral("chkTimeOfDay"))->setChecked(true);
  EXPECT_TRUE(caption->text().startsWith(QStringLiteral("t 14:03:07 \u2026 ")));

  // One minute from the second 3600 on: each reading at its own place in its own column.
  plot.showTimes(3600, 3660);
  review.refresh();
  const std::uint32_t green = paletteRgb(ValueLists::ChannelColors[0]);
  int previous = -1;
  for (int t = 3600; t < 3660; ++t) {
    const PlotPoint p = mapSample(t, t % 1000, plot.raster(), plot.scale());
    EXPECT_TRUE(plot.raster().pixel(p.x, p.y) == green && p.x > previous) << t;
    previous = p.x;
  }
  // Cursors at the left edge (the first of them) and just after the last.
  ScopeWidget* scope = review.scope();
  click(scope, 0, {});
  click(scope, mapSample(3659.75, 0, plot.raster(), plot.scale()).x, Qt::ShiftModifier);
  scope->grab();
  const std::vector<ReadoutLine>& lines = scope->cursorLinesShown();
  ASSERT_EQ(lines.size(), 2u);
  // Times of day, as chosen above; the readout under the pointer too.
  EXPECT_EQ(lines[0].text, "A 15:03:07  B 15:04:07  \u0394t 00:01:00");
  QMouseEvent move(QEvent::MouseMove, QPointF(scope->contentsRect().center()),
                   scope->mapToGlobal(QPointF(scope->contentsRect().center())), Qt::NoButton,
                   Qt::NoButton, {});
  QCoreApplication::sendEvent(scope, &move);
  EXPECT_EQ(scope->readoutShown().at(0).text.substr(8, 7), "  15:03")
      << scope->readoutShown().at(0).text;
  auto* value0 = review.findChild<QLabel*>(QStringLiteral("lblY(0)"));
  EXPECT_TRUE(value0 && value0->text() == "0");
  EXPECT_NE(lines[1].text.find("n 60  min 600,0  max 659,0  \u00D8 629,5"), std::string::npos)
      << lines[1].text;

  // What is shown, saved: the picture as on the screen, the minute's readings as journal rows.
  const QString png = folder.filePath("shown.png"), svg = folder.filePath("shown.svg"),
                csv = folder.filePath("shown.csv");
  ASSERT_FALSE(review.savePicture(png) || review.savePicture(svg) || review.saveRows(csv));
  EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
            scope->picture().convertToFormat(QImage::Format_RGB32));
  QFile svgFile(svg), csvFile(csv);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly) && csvFile.open(QIODevice::ReadOnly));
  const QByteArray vectors = svgFile.readAll();
  EXPECT_TRUE(vectors.contains("<polyline") && !vectors.contains("<image"))
      << vectors.left(2000).toStdString();
  const ParsedJournal rows = parseJournal(csvFile.readAll().toStdString());
  const double last = plot.scale().LeftTime + static_cast<double>(plot.scale().SecondsAcross);
  ASSERT_EQ(rows.rows.size(), static_cast<std::size_t>(std::floor(last)) - 3600 + 1);
  EXPECT_EQ(std::tuple(rows.rows[0].elapsedMs, rows.rows[0].value, rows.rows[59].value,
                       rows.rows[0].unit, rows.rows[0].raw),
            std::tuple(std::int64_t{3600000}, 600.0f, 659.0f, "V", "r"));
}

}  // namespace
}  // namespace kelvor
