// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace kelvor {

// The measuring-range group of the main window: the value axis's ends and auto-scale.
struct RangeControls {
  QGroupBox* Frame4 = nullptr;
  QLabel* Label6 = nullptr;
  QComboBox* cboYMin = nullptr;
  QLabel* Label8 = nullptr;
  QComboBox* cboYMax = nullptr;
  QCheckBox* chkAutoScale = nullptr;
};

}  // namespace kelvor
