// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plot/ReviewWindow.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "core/files/TraceFileMessages.h"
#include "core/journal/JournalFormat.h"
#include "core/journal/JournalStream.h"
#include "core/journal/JournalTraces.h"
#include "core/journal/ShownRows.h"
#include "core/plot/PlotReadout.h"
#include "platform/AtomicFile.h"
#include "platform/MessageTexts.h"
#include "platform/SystemClock.h"
#include "ui/common/Units.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/plot/ScopeWidget.h"
#include "ui/printing/DiagramPainter.h"

namespace kelvor {

ReviewWindow::ReviewWindow(char decimalSeparator, QWidget* parent)
    : QWidget(parent, Qt::Window),
      separator_(decimalSeparator),
      plot_(MaxReadings, decimalSeparator),
      scope_(new ScopeWidget(this)),
      valueAxis_(new QWidget(this)),
      timeAxis_(new QWidget(this)),
      caption_(new QLabel(this)),
      timeOfDay_(new QCheckBox(tr("Tageszeit"), this)) {
  setObjectName(QStringLiteral("frmReview"));
  setWindowTitle(tr("Aufzeichnung ansehen"));
  caption_->setObjectName(QStringLiteral("lblReviewSpan"));
  timeOfDay_->setObjectName(QStringLiteral("chkTimeOfDay"));
  auto* layout = new QVBoxLayout(this);
  auto* plotRow = new QHBoxLayout;
  // Room above the plot for the half of the topmost value label that stands over it.
  plotRow->setContentsMargins(0, fontMetrics().height() / 2, 0, 0);
  // Wide enough for the longest value label the axis writes.
  valueAxis_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("-00000,000")));
  plotRow->addWidget(valueAxis_);
  plotRow->addWidget(scope_, 1);
  layout->addLayout(plotRow, 1);
  // Two lines: a time of day with its date below.
  timeAxis_->setFixedHeight(2 * fontMetrics().height());
  layout->addWidget(timeAxis_);
  auto* below = new QHBoxLayout;
  below->addWidget(caption_, 1);
  below->addWidget(timeOfDay_);
  auto* savePicture = new QPushButton(tr("Bild speichern…"), this);
  auto* saveRows = new QPushButton(tr("CSV speichern…"), this);
  savePicture->setObjectName(QStringLiteral("cmdSavePicture"));
  saveRows->setObjectName(QStringLiteral("cmdSaveRows"));
  below->addWidget(savePicture);
  below->addWidget(saveRows);
  layout->addLayout(below);
  connect(savePicture, &QPushButton::clicked, this, [this] { chooseAndSave(true); });
  connect(saveRows, &QPushButton::clicked, this, [this] { chooseAndSave(false); });
  scope_->setRaster(&plot_.raster());
  const auto then = [this](auto step) {
    return [this, step](auto... args) {
      step(args...);
      refresh();
    };
  };
  scope_->setViewRequests({then([this](double factor, double at) { plot_.zoomTime(factor, at); }),
                           then([this](double factor, double at) { plot_.zoomValues(factor, at); }),
                           then([this](double widths) { plot_.moveTime(widths); }),
                           then([this] { plot_.showAll(); }), then([this] { plot_.showAll(); }),
                           then([this](int column, bool b) { plot_.setCursor(b, column); }),
                           then([this] { plot_.clearCursors(); })});
  scope_->setCursorSource([this] {
    return ScopeWidget::CursorDisplay{
        plot_.cursorColumns(),
        cursorLines(plot_.store(), plot_.cursors(), separator_, timeOfDayStart())};
  });
  scope_->setReadout([this](int column) {
    // Nothing records here, so the clock is never asked for a time of day.
    static const SystemClock clock;
    return readoutLines(readoutAt(plot_.store(), plot_.scale(), plot_.raster(), column), {}, clock,
                        separator_, timeOfDayStart());
  });
  connect(timeOfDay_, &QCheckBox::toggled, this, [this] { fitPlot(); });
  resize(Units::pointsToPixels(600), Units::pointsToPixels(360));
}

ReviewWindow* ReviewWindow::showJournals(const QStringList& paths, char decimalSeparator,
                                         QWidget* parent) {
  auto* review = new ReviewWindow(decimalSeparator, parent);
  review->setAttribute(Qt::WA_DeleteOnClose);
  const QStringList problems = review->open(paths);
  if (review->journals_.isEmpty()) {
    delete review;
    review = nullptr;
  } else {
    review->show();
  }
  if (!problems.isEmpty()) MessageBox::warning(review ? review : parent, problems.join('\n'));
  return review;
}

QStringList ReviewWindow::open(const QStringList& paths) {
  QStringList problems;
  int channel = 0;
  for (const QString& path : paths) {
    if (channel == TraceStore::Channels) break;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      problems << path + ": " + file.errorString();
      continue;
    }
    JournalTraces traces(plot_.store(), channel);
    for (QByteArray piece; !(piece = file.read(1 << 20)).isEmpty();)
      traces.feed(piece.constData(), static_cast<std::size_t>(piece.size()));
    const ParsedJournal read = traces.finish();
    if (read.badLine != 0) {
      problems << path + tr(": Zeile %1 ist nicht, wie Kelvor sie schreibt").arg(read.badLine);
      continue;
    }
    if (read.leftOut > 0) {
      problems << QString::fromStdString(
          messageText(TraceFileMessages::journalRowsLeftOut(path.toStdString(), read)));
    }
    if (channel == 0) {
      // The recording's start from the file name, for the time of day.
      // Read as UTC: the seconds of the local wall clock since 1970.
      QDateTime start = QDateTime::fromString(
          QString::fromStdString(journalStartText(QFileInfo(path).fileName().toStdString())),
          QStringLiteral("yyyy-MM-dd hh:mm:ss"));
      start.setTimeSpec(Qt::UTC);
      start_ = start.isValid() ? start.toSecsSinceEpoch() : 0;
    }
    journals_ << path;
    ++channel;
  }
  fitPlot();
  return problems;
}

void ReviewWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fitPlot();
}

void ReviewWindow::fitPlot() {
  const QSize inner = scope_->contentsRect().size();
  const QSize picture = scope_->pictureSize();
  // Time labels wide enough for a date.
  plot_.setTimes(
      timeOfDayStart(),
      Units::pixelsToPoints(fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 6));
  plot_.resize(static_cast<int>(Units::pixelsToPoints(inner.width())),
               static_cast<int>(Units::pixelsToPoints(inner.height())), picture.width(),
               picture.height(), scope_->lineWidth());
  refresh();
}

std::optional<LocalSeconds> ReviewWindow::timeOfDayStart() const {
  return timeOfDay_->isChecked() ? std::optional(start_) : std::nullopt;
}

void ReviewWindow::refresh() {
  caption_->setText(QString::fromStdString(plot_.caption()));
  showValueLabels();
  showTimeLabels();
  scope_->showAll();
}

// Right-aligned beside the plot, each centred on its grid line.
void ReviewWindow::showValueLabels() {
  const std::vector<YAxisLabel>& labels = plot_.valueLabels();
  while (valueLabels_.size() < labels.size()) {
    auto* label = new QLabel(valueAxis_);
    label->setObjectName(QStringLiteral("lblY(%1)").arg(valueLabels_.size()));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    valueLabels_.push_back(label);
  }
  const int height = fontMetrics().height();
  const int top = scope_->y() - valueAxis_->y() + scope_->contentsRect().top();
  for (std::size_t k = 0; k < valueLabels_.size(); ++k) {
    QLabel* label = valueLabels_[k];
    label->setVisible(k < labels.size());
    if (k >= labels.size()) continue;
    label->setText(QString::fromStdString(labels[k].caption));
    const int row = top + Units::pointsToPixels(labels[k].top + 3);
    label->setGeometry(0, row - height / 2, valueAxis_->width() - 4, height);
  }
}

// Centred below the plot on their grid lines; a date on a second line.
void ReviewWindow::showTimeLabels() {
  const std::vector<ReviewPlot::TimeLabel>& labels = plot_.timeLabels();
  while (timeLabels_.size() < labels.size()) {
    auto* label = new QLabel(timeAxis_);
    label->setObjectName(QStringLiteral("lblX(%1)").arg(timeLabels_.size()));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    timeLabels_.push_back(label);
  }
  const int left = scope_->mapTo(this, scope_->contentsRect().topLeft()).x() - timeAxis_->x();
  const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 6;
  for (std::size_t k = 0; k < timeLabels_.size(); ++k) {
    QLabel* label = timeLabels_[k];
    label->setVisible(k < labels.size());
    if (k >= labels.size()) continue;
    label->setText(QString::fromStdString(labels[k].caption));
    const int centre = left + Units::pointsToPixels(labels[k].centre);
    label->setGeometry(centre - width / 2, 0, width, timeAxis_->height());
  }
}

void ReviewWindow::paintLabels(QPainter& painter, QPoint plot, double scale) const {
  QFont font = this->font();
  font.setPixelSize(static_cast<int>(fontInfo().pixelSize() * scale));
  painter.setFont(font);
  painter.setPen(Qt::white);
  const int line = QFontMetrics(font).height();
  const double perPointX = plot_.raster().pixelsPerPointX();
  const double perPointY = plot_.raster().pixelsPerPointY();
  for (const YAxisLabel& label : plot_.valueLabels()) {
    const int row = plot.y() + static_cast<int>(std::lround((label.top + 3) * perPointY));
    painter.drawText(QRect(0, row - line / 2, plot.x() - line / 3, line),
                     Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(label.caption));
  }
  const int top = plot.y() + plot_.raster().height();
  for (const ReviewPlot::TimeLabel& label : plot_.timeLabels()) {
    const int centre = plot.x() + static_cast<int>(std::lround(label.centre * perPointX));
    painter.drawText(QRect(centre - 4 * line, top, 8 * line, 2 * line),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(label.caption));
  }
}

void ReviewWindow::chooseAndSave(bool picture) {
  const QString filter =
      picture ? QStringLiteral("PNG (*.png);;SVG (*.svg)") : tr("Aufzeichnung (*.csv)");
  const QString path = QFileDialog::getSaveFileName(this, windowTitle(), {}, filter);
  if (path.isEmpty()) return;
  if (const auto problem = picture ? savePicture(path) : saveRows(path))
    MessageBox::warning(this, path + ": " + *problem);
}

std::optional<QString> ReviewWindow::savePicture(const QString& path) {
  // The plot as on the screen with its axis labels around it, on black.
  const QImage image = scope_->picture();
  const double scale = devicePixelRatioF();
  const int line = static_cast<int>(fontMetrics().height() * scale);
  const QPoint plot(static_cast<int>(valueAxis_->width() * scale), line);
  const QSize size(plot.x() + image.width() + 3 * line, plot.y() + image.height() + 2 * line);
  const auto paint = [&](QPainter& painter, bool vectors) {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    paintLabels(painter, plot, scale);
    painter.translate(plot);
    painter.setClipRect(QRect(QPoint(0, 0), image.size()));
    if (!vectors) {
      painter.drawImage(0, 0, image);
      return;
    }
    // The same lines as the picture, as vectors, drawn by the diagram's painter.
    DiagramPicture lines;
    const int width = plot_.raster().lineWidth();
    for (const RasterLine& l : plot_.lines()) lines.drawLine(l.x1, l.y1, l.x2, l.y2, width, l.rgb);
    // A pixel's line runs through its middle; a wider one reaches right and down.
    painter.translate(width / 2.0, width / 2.0);
    paintDiagram(painter, lines);
  };
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    paint(painter, false);
    painter.end();
    picture.save(&buffer, "PNG");
    return AtomicFile::write(path, buffer.data());
  }
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(windowTitle());
  QPainter painter(&svg);
  paint(painter, true);
  painter.end();
  return AtomicFile::write(path, buffer.data());
}

std::optional<QString> ReviewWindow::saveRows(const QString& path) const {
  // The journals are read again, so that the rows keep all the meter told.
  const ScaleParams& scale = plot_.scale();
  ShownRows shown(scale.LeftTime, scale.LeftTime + static_cast<double>(scale.SecondsAcross));
  for (const QString& journal : journals_) {
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly)) return journal + ": " + file.errorString();
    JournalStream stream;
    stream.skipBadRows();
    stream.setRowSink([&shown](const JournalRow& row) { shown.take(row); });
    for (QByteArray piece; !(piece = file.read(1 << 20)).isEmpty();)
      stream.feed(piece.constData(), static_cast<std::size_t>(piece.size()));
    stream.finish(true);
  }
  return AtomicFile::write(path,
                           QByteArray::fromStdString(shown.text(journalStyleFor(separator_))));
}

}  // namespace kelvor
