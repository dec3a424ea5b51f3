// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plot/ScopePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QRadioButton>
#include <QSignalBlocker>
#include <cmath>

#include "core/plot/XAxis.h"
#include "core/plot/YAxis.h"
#include "platform/MessageTexts.h"
#include "ui/common/Units.h"
#include "ui/common/WindowTools.h"
#include "ui/mainwindow/ChannelValuesRow.h"
#include "ui/mainwindow/MainControls.h"
#include "ui/mainwindow/MeterStateDisplay.h"
#include "ui/plot/ScopeWidget.h"

namespace kelvor {

namespace {

QString fromCore(const std::string& text) {
  return QString::fromStdString(text);
}

// Moves a label to a new top-left corner in points, keeping its size.
void moveInPoints(QLabel* label, double left, double top) {
  label->move(Units::pointsToPixels(left), Units::pointsToPixels(top));
}

void selectSilently(QComboBox* list, int item) {
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(item);
}

}  // namespace

ScopePanel::ScopePanel(QMainWindow& window, const MainControls& controls)
    : window_(window), controls_(controls) {}

void ScopePanel::showActive(bool active) {
  const QSignalBlocker quiet(controls_.recording.drawingActiveBox);
  controls_.recording.drawingActiveBox->setChecked(active);
}

void ScopePanel::showStartTime(const std::string& text) {
  controls_.time.startLabel->setText(fromCore(text));
}
void ScopePanel::showCurrentTime(const std::string& text) {
  controls_.time.currentTimeLabel->setText(fromCore(text));
}
void ScopePanel::showRunTime(const std::string& text) {
  controls_.time.runTimeLabel->setText(fromCore(text));
}
void ScopePanel::showAlarmTime(const std::string& text) {
  controls_.time.alarmTimeLabel->setText(fromCore(text));
}

void ScopePanel::setReadingColor(std::uint32_t rgb) {
  const QColor colour = QColor::fromRgb(static_cast<QRgb>(rgb));
  for (QLabel* label : {controls_.reading.valueLabel, controls_.reading.modeLabel})
    MeterStateDisplay::setReadingColour(label, colour);
}

bool ScopePanel::isMinimised() const {
  return window_.isMinimized();
}
bool ScopePanel::isShown() const {
  return window_.isVisible();
}

PlotArea ScopePanel::layoutPlotArea() {
  const double innerWidth = Units::pixelsToPoints(controls_.central->width());
  const double innerHeight = Units::pixelsToPoints(controls_.central->height());
  const double border = 2 * ScopeWidget::BorderPoints;
  PlotArea area;
  area.left = PlotLeft;
  area.top = PlotTop;
  // Whole points; never so small that nothing is left inside the border.
  area.outerWidth = std::max(border + 1, std::floor(innerWidth - PlotLeft + 0.5));
  // The row of channel values, where it shows, takes its room from the plot.
  const double row = ChannelValuesRow::height(controls_.values);
  area.outerHeight =
      std::max(border + 1, std::floor(innerHeight - ScopeController::NonPlotHeight - row + 0.5));
  area.innerWidth = static_cast<int>(area.outerWidth - border);
  area.innerHeight = static_cast<int>(area.outerHeight - border);
  Units::placeInPoints(controls_.scopeWidget, area.left, area.top, area.outerWidth,
                       area.outerHeight);
  if (row > 0) {
    // Under the captions below the plot, which take the room the plot leaves above its top.
    const double captions = ScopeController::NonPlotHeight - PlotTop;
    ChannelValuesRow::place(controls_.values, area.left, area.top + area.outerHeight + captions,
                            area.outerWidth);
  }
  const QSize picture = controls_.scopeWidget->pictureSize();
  area.pictureWidth = picture.width();
  area.pictureHeight = picture.height();
  area.lineWidth = controls_.scopeWidget->lineWidth();
  return area;
}

void ScopePanel::applyTimeAxis(const XAxisLayout& layout) {
  controls_.axes.timePerPixelLabel->setText(fromCore(layout.timePerPixelText));
  controls_.axes.timeUnitLabel->setText(fromCore(layout.timeUnitText));
  moveInPoints(controls_.axes.timePerPixelLabel, layout.timePerPixelLeft, layout.timePerPixelTop);
  moveInPoints(controls_.axes.timeUnitLabel, layout.timeUnitLeft, layout.timeUnitTop);
  for (std::size_t i = 0; i < controls_.axes.timeLabels.size() && i < layout.timeLabels.size();
       ++i) {
    QLabel* label = controls_.axes.timeLabels[i];
    moveInPoints(label, layout.timeLabels[i].left, layout.timeLabels[i].top);
    label->setText(fromCore(layout.timeLabels[i].caption));
    label->setVisible(layout.timeLabels[i].visible);
  }
}

void ScopePanel::applyYAxis(const YAxisLayout& layout) {
  for (std::size_t j = 0; j < controls_.axes.valueLabels.size() && j < layout.valueLabels.size();
       ++j) {
    QLabel* label = controls_.axes.valueLabels[j];
    if (layout.valueLabels[j].visible) {
      label->move(label->x(), Units::pointsToPixels(layout.valueLabels[j].top));
      label->setText(fromCore(layout.valueLabels[j].caption));
    }
    label->setVisible(layout.valueLabels[j].visible);
  }
  if (layout.hideTimeLabel0 && !controls_.axes.timeLabels.empty())
    controls_.axes.timeLabels[0]->hide();
}

void ScopePanel::setBusy(bool busy) {
  WindowTools::setMousePointer(busy ? MousePointer::Hourglass : MousePointer::Default);
}

void ScopePanel::plotChanged(const RasterRect& area) {
  controls_.scopeWidget->showChanged(area);
}

DrawStyle ScopePanel::drawStyle() const {
  return controls_.recording.drawStyleButtons[1]->isChecked() ? DrawStyle::OnePerColumn
                                                              : DrawStyle::EveryReading;
}

void ScopePanel::showDurationItem(int item) {
  selectSilently(controls_.recording.durationList, item);
}
void ScopePanel::showYMinItem(int item) {
  selectSilently(controls_.range.minimumList, item);
}
void ScopePanel::showYMaxItem(int item) {
  selectSilently(controls_.range.maximumList, item);
}

void ScopePanel::showLiveMarker(const Message& marker) {
  controls_.scopeWidget->setLiveMarker(fromCore(messageText(marker)));
}

}  // namespace kelvor
