// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>

class QGroupBox;
class QRadioButton;
class QWidget;

namespace kelvor {

// The colour group of the main window: the channel buttons and their colour bars (Picture2
// has the indexes 0, 1, 4, 5, 6 and 7; they are not channel numbers).
struct ColourControls {
  QGroupBox* colourFrame = nullptr;
  std::array<QRadioButton*, 6> channelButtons{};
  std::map<int, QWidget*> colourBars;
};

}  // namespace kelvor
