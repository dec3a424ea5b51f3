// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/Clock.h"
#include "core/plot/ReviewPlot.h"
#include "core/text/TimeText.h"

namespace kelvor {

class ScopeWidget;

// A window of its own that shows journals for review while the live recording goes on: each
// journal in a channel of its own at full resolution, with the live plot's zoom, moving,
// readout and cursors, the time in elapsed time or time of day.
class ReviewWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int MaxReadings = 16 * 1024 * 1024;  // per journal

  explicit ReviewWindow(char decimalSeparator, QWidget* parent = nullptr);

  // The journals in a review window of its own, shown, with a message naming those that could
  // not be read; when none could, the message alone and no window (nullptr).
  static ReviewWindow* showJournals(const QStringList& paths, char decimalSeparator,
                                    QWidget* parent);

  // Reads the journals (at most six) into channels 0, 1, ...; the messages of those that could
  // not be read, one per journal.
  QStringList open(const QStringList& paths);

  ReviewPlot& plot() { return plot_; }
  ScopeWidget* scope() const { return scope_; }
  // After a change of the plot's view: new picture and caption.
  void refresh();

  // What is shown, saved: the picture at the screen's resolution with its axis labels as PNG,
  // or with its lines as vectors in an SVG when the name ends in ".svg"; the journals' rows in the
  // shown time range. Empty when written, else the reason.
  std::optional<QString> savePicture(const QString& path);
  std::optional<QString> saveRows(const QString& path) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fitPlot();
  void showValueLabels();
  void showTimeLabels();
  // The axis labels onto a saved picture whose plot starts at `plot`, in the picture's pixels.
  void paintLabels(QPainter& painter, QPoint plot, double scale) const;
  // The start for times of day, when they are chosen.
  std::optional<LocalSeconds> timeOfDayStart() const;
  void chooseAndSave(bool picture);

  char separator_;
  ReviewPlot plot_;
  ScopeWidget* scope_;
  QWidget* valueAxis_;
  std::vector<QLabel*> valueLabels_;  // lblY(0) upwards, from the lowest grid line
  QWidget* timeAxis_;
  std::vector<QLabel*> timeLabels_;  // lblX(0) onwards, from the left
  QLabel* caption_;
  QCheckBox* timeOfDay_;
  LocalSeconds start_ = 0;  // local date and time of the first journal's start
  QStringList journals_;    // those read, in the order of their channels
};

}  // namespace kelvor
