// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLabel;

namespace kelvor {

// The large digits of the main window: the reading and its unit.
struct ReadingControls {
  QLabel* valueLabel = nullptr;
  QLabel* modeLabel = nullptr;
};

}  // namespace kelvor
