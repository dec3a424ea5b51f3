// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ChannelValuesRow.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "core/calc/ChannelValueText.h"
#include "platform/MessageTexts.h"
#include "platform/SystemLocale.h"
#include "ui/common/Units.h"
#include "ui/mainwindow/ChannelValueCells.h"

namespace kelvor {

namespace {

std::vector<QLabel*> boundCells(const ChannelValueCells& all) {
  std::vector<QLabel*> cells;
  for (QLabel* cell : all.valueCells)
    if (!cell->isHidden()) cells.push_back(cell);
  return cells;
}

}  // namespace

bool ChannelValuesRow::setBound(const std::vector<bool>& bound) {
  const std::size_t before = boundCells(cells_).size();
  const auto count = std::count(bound.begin(), bound.end(), true);
  for (int channel = 0; channel < Channels; ++channel) {
    QLabel* cell = cells_.valueCells[static_cast<std::size_t>(channel)];
    const bool shown = count > 1 && static_cast<std::size_t>(channel) < bound.size() &&
                       bound[static_cast<std::size_t>(channel)];
    if (shown && cell->isHidden()) {
      lastValue_[static_cast<std::size_t>(channel)] = NoChannelValue;
      show(channel, NoChannelValue, MeterCondition::Answering);
    }
    cell->setHidden(!shown);
  }
  return boundCells(cells_).size() != before;
}

void ChannelValuesRow::showMeter(int channel, const std::optional<ChannelReading>& reading,
                                 MeterCondition condition, const std::string& family) {
  std::string& last = lastValue_.at(static_cast<std::size_t>(channel));
  // A meter that answers without a value (an overload) shows none; one that is silent keeps
  // its last value.
  if (reading || condition == MeterCondition::Answering)
    last = channelValueText(reading, SystemLocale::decimalSeparator());
  show(channel, last, condition, family);
}

void ChannelValuesRow::showCalculated(int channel, const std::optional<ChannelReading>& reading) {
  std::string& last = lastValue_.at(static_cast<std::size_t>(channel));
  last = channelValueText(reading, SystemLocale::decimalSeparator());
  show(channel, last, MeterCondition::Answering);
}

void ChannelValuesRow::show(int channel, const std::string& value, MeterCondition condition,
                            const std::string& family) {
  QLabel* cell = cells_.valueCells.at(static_cast<std::size_t>(channel));
  QString text = QString::fromStdString(value);
  if (const std::optional<Message> words = conditionWords(condition, family))
    text += QLatin1Char('\n') + QString::fromStdString(messageText(*words));
  cell->setText(text);
  // A disabled cell is drawn in its palette's dimmed colour.
  cell->setEnabled(condition == MeterCondition::Answering);
}

double ChannelValuesRow::height(const ChannelValueCells& all) {
  const std::vector<QLabel*> cells = boundCells(all);
  if (cells.empty()) return 0.0;
  // Two lines, the value and a meter's condition, whatever the cells show now, so that the
  // plot keeps its height when a meter falls silent.
  QLabel twoLines(QStringLiteral("0\n0"));
  twoLines.setFont(cells.front()->font());
  twoLines.setIndent(cells.front()->indent());  // which pads the top too
  twoLines.setAlignment(cells.front()->alignment());
  return std::ceil(Units::pixelsToPoints(twoLines.sizeHint().height()));
}

void ChannelValuesRow::place(const ChannelValueCells& all, double left, double top, double width) {
  const std::vector<QLabel*> cells = boundCells(all);
  const double rowHeight = height(all);
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const double share = width / static_cast<double>(cells.size());
    Units::placeInPoints(cells[k], left + share * static_cast<double>(k), top, share, rowHeight);
  }
}

}  // namespace kelvor
