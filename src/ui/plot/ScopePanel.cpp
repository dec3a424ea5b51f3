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
#include "ui/common/Allgemein.h"
#include "ui/common/Units.h"
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
  const QSignalBlocker quiet(controls_.recording.chkActive);
  controls_.recording.chkActive->setChecked(active);
}

void ScopePanel::showStartTime(const std::string& text) {
  controls_.time.lblStart->setText(fromCore(text));
}
void ScopePanel::showCurrentTime(const std::string& text) {
  controls_.time.lblAkt->setText(fromCore(text));
}
void ScopePanel::showRunTime(const std::string& text) {
  controls_.time.lblLauf->setText(fromCore(text));
}
void ScopePanel::showAlarmTime(const std::string& text) {
  controls_.time.lblAbbr->setText(fromCore(text));
}

void ScopePanel::setReadingColor(std::uint32_t rgb) {
  const QColor colour = QColor::fromRgb(static_cast<QRgb>(rgb));
  for (QLabel* label : {controls_.reading.lblVal, controls_.reading.lblACDC})
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
  Units::placeInPoints(controls_.picScope, area.left, area.top, area.outerWidth, area.outerHeight);
  if (row > 0) {
    // Under the captions below the plot, which take the room the plot leaves above its top.
    const double captions = ScopeController::NonPlotHeight - PlotTop;
    ChannelValuesRow::place(controls_.values, area.left, area.top + area.outerHeight + captions,
                            area.outerWidth);
  }
  const QSize picture = controls_.picScope->pictureSize();
  area.pictureWidth = picture.width();
  area.pictureHeight = picture.height();
  area.lineWidth = controls_.picScope->lineWidth();
  return area;
}

void ScopePanel::applyTimeAxis(const XAxisLayout& layout) {
  controls_.axes.lblTpP->setText(fromCore(layout.lblTpPCaption));
  controls_.axes.lblZeitEinheit->setText(fromCore(layout.lblZeitEinheitCaption));
  moveInPoints(controls_.axes.lblTpP, layout.lblTpPLeft, layout.lblTpPTop);
  moveInPoints(controls_.axes.lblZeitEinheit, layout.lblZeitEinheitLeft, layout.lblZeitEinheitTop);
  for (std::size_t i = 0; i < controls_.axes.lblX.size() && i < layout.lblX.size(); ++i) {
    QLabel* label = controls_.axes.lblX[i];
    moveInPoints(label, layout.lblX[i].left, layout.lblX[i].top);
    label->setText(fromCore(layout.lblX[i].caption));
    label->setVisible(layout.lblX[i].visible);
  }
}

void ScopePanel::applyYAxis(const YAxisLayout& layout) {
  for (std::size_t j = 0; j < controls_.axes.lblY.size() && j < layout.lblY.size(); ++j) {
    QLabel* label = controls_.axes.lblY[j];
    if (layout.lblY[j].visible) {
      label->move(label->x(), Units::pointsToPixels(layout.lblY[j].top));
      label->setText(fromCore(layout.lblY[j].caption));
    }
    label->setVisible(layout.lblY[j].visible);
  }
  if (layout.hideTimeLabel0 && !controls_.axes.lblX.empty()) controls_.axes.lblX[0]->hide();
}

void ScopePanel::setBusy(bool busy) {
  Allgemein::SetMousePointer(busy ? MousePointer::Hourglass : MousePointer::Default);
}

void ScopePanel::plotChanged(const RasterRect& area) {
  controls_.picScope->showChanged(area);
}

DrawStyle ScopePanel::drawStyle() const {
  return controls_.recording.optDrawStyle[1]->isChecked() ? DrawStyle::OnePerColumn
                                                          : DrawStyle::EveryReading;
}

void ScopePanel::showDurationItem(int item) {
  selectSilently(controls_.recording.cboMessDauer, item);
}
void ScopePanel::showYMinItem(int item) {
  selectSilently(controls_.range.cboYMin, item);
}
void ScopePanel::showYMaxItem(int item) {
  selectSilently(controls_.range.cboYMax, item);
}

void ScopePanel::showLiveMarker(const Message& marker) {
  controls_.picScope->setLiveMarker(fromCore(messageText(marker)));
}

}  // namespace kelvor
