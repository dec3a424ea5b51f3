// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QGroupBox;
class QLabel;

namespace kelvor {

// The time group of the main window: current time, start, running time and the time of the
// alarm.
struct TimeControls {
  QGroupBox* timeFrame = nullptr;
  QLabel* currentTimeCaption = nullptr;
  QLabel* currentTimeLabel = nullptr;
  QLabel* startCaption = nullptr;
  QLabel* startLabel = nullptr;
  QLabel* runTimeCaption = nullptr;
  QLabel* runTimeLabel = nullptr;
  QLabel* alarmTimeCaption = nullptr;
  QLabel* alarmTimeLabel = nullptr;
};

}  // namespace kelvor
