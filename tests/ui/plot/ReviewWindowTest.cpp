// SPDX-License-Identifier: GPL-3.0-or-later
// A week-long journal reviewed at its full resolution beside the live recording.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <tuple>

#include "core/journal/JournalFormat.h"
#include "core/plot/PlotDrawing.h"
#include "core/recording/ValueLists.h"
#include "ui/plot/ReviewWindow.h"
#include "ui/plot/ScopeWidget.h"

namespace kelvor {
namespace {

// Row t of a reading a second for a week from 2026-12-06 14:03:07 (UTC+1); the value is the
// second modulo 1000.
QByteArray weekRow(int t) {
  JournalRow row;
  row.time = {1796562187000 + t * 1000LL, 3600};
  row.elapsedMs = t * 1000LL, row.value = static_cast<float>(t % 1000), row.unit = "V";
  row.mode = "DC", row.status = ReadingStatus::Ok, row.raw = "r";
  return QByteArray::fromStdString(journalLine(row, journalStyleFor(',')));
}

QString weekJournal(const QTemporaryDir& folder) {
  QByteArray text = QByteArray::fromStdString(journalHeader(journalStyleFor(',')));
  for (int t = 0; t < 604800; ++t) text += weekRow(t);
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

// Journals none of which can be read (a wrong header, no readable row, empty, missing) open no
// window; the message names each.
TEST(ReviewWindow, JournalsThatCannotBeReadOpenNoWindow) {
  QTemporaryDir folder;
  QWidget parent;
  QStringList paths;
  for (const QByteArray text :
       {"x\r\n", "time,utc,elapsed_s,channel,value,unit,mode,status,raw\r\nx\r\n", ""}) {
    QFile file(folder.filePath(QString::number(paths.size())));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    paths << file.fileName();
  }
  QString message;
  QTimer::singleShot(0, [&message] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      message = box->text(), box->accept();
  });
  EXPECT_EQ(ReviewWindow::showJournals(paths << folder.filePath("missing"), ',', &parent), nullptr);
  EXPECT_EQ(message.split('\n').size(), 4) << message.toStdString();
  EXPECT_TRUE(parent.findChildren<ReviewWindow*>().isEmpty());
}

TEST(ReviewWindow, AWeekZoomedToAMinuteShowsItsSixtyReadingsAndTheCursorsMeasureThem) {
  QTemporaryDir folder;
  ReviewWindow review(',');
  review.show();
  EXPECT_TRUE(review.open({weekJournal(folder)}).isEmpty());
  ReviewPlot& plot = review.plot();
  ASSERT_EQ(plot.store().count(0), 604800);
  auto* caption = review.findChild<QLabel*>(QStringLiteral("lblReviewSpan"));
  // Past a day the hours count on, in the caption as on the time labels.
  EXPECT_TRUE(caption->text().startsWith(QStringLiteral("t 00:00:00 \u2026 17")))
      << caption->text().toStdString();
  const auto& labels = plot.timeLabels();
  ASSERT_GT(labels.size(), 5u);
  for (std::size_t k = 0; k < labels.size(); ++k)
    EXPECT_EQ(labels[k].caption, std::to_string(k * std::stoul(labels[1].caption)) + ":00");
  EXPECT_TRUE(std::stoi(labels.back().caption) > 100 &&
              review.findChild<QLabel*>(QStringLiteral("lblX(1)"))->text() ==
                  labels[1].caption.c_str());
  review.findChild<QCheckBox*>(QStringLiteral("chkTimeOfDay"))->setChecked(true);
  EXPECT_TRUE(caption->text().startsWith(QStringLiteral("t 2026-12-06 14:03:07 \u2026 2026-12-1")));

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
  const QPointF middle(scope->contentsRect().center());
  QMouseEvent move(QEvent::MouseMove, middle, scope->mapToGlobal(middle), Qt::NoButton, {}, {});
  QCoreApplication::sendEvent(scope, &move);
  EXPECT_EQ(scope->readoutShown().at(0).text.substr(8, 7), "  15:03")
      << scope->readoutShown().at(0).text;
  auto* value0 = review.findChild<QLabel*>(QStringLiteral("lblY(0)"));
  EXPECT_TRUE(value0 && value0->text() == "0");
  EXPECT_NE(lines[1].text.find("n 60  min 600,0 V  max 659,0 V  \u00D8 629,5 V"), std::string::npos)
      << lines[1].text;

  // What is shown, saved: the picture as on the screen, the minute's readings as journal rows.
  const QString png = folder.filePath("shown.png"), svg = folder.filePath("shown.svg"),
                csv = folder.filePath("shown.csv");
  ASSERT_FALSE(review.savePicture(png) || review.savePicture(svg) || review.saveRows(csv));
  EXPECT_GT(QImage(png).width(), scope->picture().width());
  QFile svgFile(svg), csvFile(csv);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly) && csvFile.open(QIODevice::ReadOnly));
  // Lines as vectors, the labels as text.
  const QByteArray vectors = svgFile.readAll();
  EXPECT_TRUE(
      vectors.contains("<polyline") && !vectors.contains("<image") &&
      vectors.contains(">" + QByteArray::fromStdString(labels[0].caption.substr(0, 4))) &&
      vectors.contains(">" + QByteArray::fromStdString(plot.valueLabels().back().caption) + "<"))
      << vectors.left(3000).toStdString();
  // The journal's own rows in the range, byte for byte.
  QByteArray rows = QByteArray::fromStdString(journalHeader(journalStyleFor(',')));
  const double last = plot.scale().LeftTime + static_cast<double>(plot.scale().SecondsAcross);
  for (int t = 3600; t <= std::floor(last); ++t) rows += weekRow(t);
  EXPECT_TRUE(csvFile.readAll() == rows);
}

}  // namespace
}  // namespace kelvor
