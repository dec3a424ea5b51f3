// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QGroupBox;
class QLabel;

namespace kelvor {

// The time group of the main window: current time, start, running time and the time of the
// alarm.
struct TimeControls {
  QGroupBox* Frame3 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* lblAkt = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblStart = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* lblLauf = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* lblAbbr = nullptr;
};

}  // namespace kelvor
