// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class QLabel;

namespace kelvor {

// The labels of the plot's axes.
struct AxisLabels {
  // Creates the members 1 to 100 of lblX (visible) and lblY (hidden) as copies of member 0.
  void createCopies();

  std::vector<QLabel*> timeLabels;  // index 0 from design time, 1..100 from createCopies
  std::vector<QLabel*> valueLabels;
  QLabel* timePerPixelLabel = nullptr;
  QLabel* timeUnitLabel = nullptr;
};

}  // namespace kelvor
