// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <vector>

#include "core/settings/ChannelBinding.h"
#include "platform/PortScanner.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace kelvor {

// The controls of one channel in the channel dialog, one row of its grid: the channel's
// number in its colour, the source (nothing, meter, calculation), the meter's port, model or
// family and rate, and the calculation. Only the fields of the chosen source are enabled.
class ChannelRow : public QObject {
  Q_OBJECT

 public:
  // The columns of the grid: number, source, port, meter, rate, calculation.
  static constexpr int ColumnCount = 6;

  // Adds the controls of `channel` (from 1) as row `channel` of `grid` and shows `binding`:
  // the present ports, and the stored one also when it is absent.
  ChannelRow(int channel, const ChannelBinding& binding, const std::vector<PresentPort>& ports,
             QGridLayout* grid, QWidget* parent);

  // The binding as the controls show it; what the chosen source does not use stays as loaded.
  ChannelBinding binding() const;
  // Puts the focus on the field of the chosen source.
  void focusSource();

  QLabel* channelLabel = nullptr;
  QComboBox* sourceList = nullptr;
  QComboBox* portChoice = nullptr;
  QComboBox* meterChoice = nullptr;
  QComboBox* rateList = nullptr;
  QLineEdit* calcField = nullptr;

 private:
  void buildControls(int channel, QWidget* parent);
  void showPorts(const std::vector<PresentPort>& ports);
  void showMeter();
  void showRate(int baud);
  void meterChosen();
  void enableFields();
  PortConfig port() const;

  ChannelBinding loaded_;
};

}  // namespace kelvor
