// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/RecordingDisplay.h"

#include "core/recording/ValueLists.h"

namespace kelvor {

void RecordingDisplay::recordingChanged(RecordingChange change, const RecordingState& state) {
  switch (change) {
    case RecordingChange::Active:
      recorder_.showActive(state.active());
      break;
    case RecordingChange::AutoScale:
      reading_.showAutoScale(state.autoScale());
      break;
    case RecordingChange::Channel:
      recorder_.setReadingColor(paletteRgb(state.activeColor()));
      recorder_.showAlarmTime(state.alarmTimeText());
      break;
    case RecordingChange::FirstAlarm:
      recorder_.showAlarmTime(state.alarmTimeText());
      break;
    case RecordingChange::Cleared:
      recorder_.showAlarmTime(state.alarmTimeText());
      recorder_.showActive(state.active());
      break;
    default:
      break;
  }
}

}  // namespace kelvor
