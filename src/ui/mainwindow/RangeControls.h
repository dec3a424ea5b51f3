// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace kelvor {

// The measuring-range group of the main window: the value axis's ends and auto-scale.
struct RangeControls {
  QGroupBox* rangeFrame = nullptr;
  QLabel* minimumCaption = nullptr;
  QComboBox* minimumList = nullptr;
  QLabel* maximumCaption = nullptr;
  QComboBox* maximumList = nullptr;
  QCheckBox* autoScaleBox = nullptr;
};

}  // namespace kelvor
