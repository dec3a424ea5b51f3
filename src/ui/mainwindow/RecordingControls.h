// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kelvor {

// The recording group of the main window (its frame also holds the alarm controls): the
// duration, drawing active, the draw style, Reset and clearing the picture.
struct RecordingControls {
  QGroupBox* recordingFrame = nullptr;
  QLabel* durationCaption = nullptr;  // object name "Label7(0)"
  QComboBox* durationList = nullptr;
  QCheckBox* drawingActiveBox = nullptr;
  std::array<QRadioButton*, 2> drawStyleButtons{};
  QPushButton* resetButton = nullptr;
  QPushButton* clearButton = nullptr;
};

}  // namespace kelvor
