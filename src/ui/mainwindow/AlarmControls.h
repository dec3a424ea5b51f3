// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCheckBox;
class QLineEdit;

namespace kelvor {

// The alarm condition and its switch.
struct AlarmControls {
  QCheckBox* alarmBox = nullptr;
  QLineEdit* alarmField = nullptr;
};

}  // namespace kelvor
