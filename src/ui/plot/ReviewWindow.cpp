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

#include "core/journal/JournalFormat.h"
#include "core/journal/JournalTraces.h"
#include "core/journal/ShownRows.h"
#include "core/scope/PlotReadout.h"
#include "platform/AtomicFile.h"
#include "platform/SystemClock.h"
#include "ui/common/Units.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/plot/ScopeWidget.h"

namespace kelvor {

ReviewWindow::ReviewWindow(char decimalSeparator, bool english, QWidget* parent)
    : QWidget(parent, Qt::Window),
      separator_(decimalSeparator),
      english_(english),
      plot_(MaxReadings, decimalSeparator),
      scope_(new ScopeWidget(this)),
      caption_(new QLabel(this)),
      timeOfDay_(new QCheckBox(english ? tr("Time of day") : tr("Tageszeit"), this)) {
  setObjectName(QStringLiteral("frmReview"));
  setWindowTitle(english ? tr("Review recording") : tr("Aufzeichnung ansehen"));
  caption_->setObjectName(QStringLiteral("lblReviewSpan"));
  timeOfDay_->setObjectName(QStringLiteral("chkTimeOfDay"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scope_, 1);
  auto* below = new QHBoxLayout;
  below->addWidget(caption_, 1);
  below->addWidget(timeOfDay_);
  auto* savePicture = new QPushButton(english ? tr("Save picture…") : tr("Bild speichern…"), this);
  auto* saveRows = new QPushButton(english ? tr("Save CSV…") : tr("CSV speichern…"), this);
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
    return ScopeWidget::CursorDisplay{plot_.cursorColumns(),
                                      cursorLines(plot_.store(), plot_.cursors(), separator_)};
  });
  scope_->setReadout([this](int column) {
    // Nothing records here, so the clock is never asked for a time of day.
    static const SystemClock clock;
    return readoutLines(readoutAt(plot_.store(), plot_.scale(), plot_.raster(), column), {}, clock,
                        "", separator_);
  });
  connect(timeOfDay_, &QCheckBox::toggled, this, [this] { refresh(); });
  resize(Units::pointsToPixels(600), Units::pointsToPixels(360));
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
    if (const int bad = traces.finish()) {
      const QString text = english_
                               ? QStringLiteral(": line %1 is not as Kelvor writes it")
                               : QStringLiteral(": Zeile %1 ist nicht, wie Kelvor sie schreibt");
      problems << path + text.arg(bad);
      continue;
    }
    if (channel == 0) {
      // The recording's start from the file name, for the time of day.
      const QDateTime start = QDateTime::fromString(
          QString::fromStdString(journalStartText(QFileInfo(path).fileName().toStdString())),
          QStringLiteral("yyyy-MM-dd hh:mm:ss"));
      start_ = start.isValid() ? start.time().msecsSinceStartOfDay() / 1000 : 0;
      if (start.isValid()) startWall_ = {start.toMSecsSinceEpoch(), start.offsetFromUtc()};
    }
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
  plot_.resize(static_cast<int>(Units::pixelsToPoints(inner.width())),
               static_cast<int>(Units::pixelsToPoints(inner.height())), picture.width(),
               picture.height(), scope_->lineWidth());
  refresh();
}

void ReviewWindow::refresh() {
  caption_->setText(QString::fromStdString(plot_.caption(timeOfDay_->isChecked(), start_)));
  scope_->showAll();
}

void ReviewWindow::chooseAndSave(bool picture) {
  const QString filter = picture ? QStringLiteral("PNG (*.png);;SVG (*.svg)")
                                 : (english_ ? tr("Journal (*.csv)") : tr("Aufzeichnung (*.csv)"));
  const QString path = QFileDialog::getSaveFileName(this, windowTitle(), {}, filter);
  if (path.isEmpty()) return;
  if (const auto problem = picture ? savePicture(path) : saveRows(path))
    MessageBox::warning(this, path + ": " + *problem);
}

std::optional<QString> ReviewWindow::savePicture(const QString& path) const {
  const QImage image = scope_->picture();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(image.size());
    svg.setViewBox(QRect(QPoint(0, 0), image.size()));
    svg.setTitle(windowTitle());
    QPainter painter(&svg);
    painter.drawImage(0, 0, image);
  } else {
    image.save(&buffer, "PNG");
  }
  return AtomicFile::write(path, buffer.data());
}

std::optional<QString> ReviewWindow::saveRows(const QString& path) const {
  const ScaleParams& scale = plot_.scale();
  const std::string text = shownRows(plot_.store(), scale.LeftTime,
                                     scale.LeftTime + static_cast<double>(scale.SecondsAcross),
                                     startWall_, journalStyleFor(separator_));
  return AtomicFile::write(path, QByteArray::fromStdString(text));
}

}  // namespace kelvor
