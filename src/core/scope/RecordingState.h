// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/Clock.h"
#include "core/acquisition/MeterFrame.h"
#include "core/text/TimeText.h"

namespace kelvor {

// The main window's recording variables: the current reading, the recording's state and
// the pen positions of the live drawing.
struct RecordingState {
  float CurrentValue = 0.0f;
  std::string CurrentUnit;          // the unit of the last complete answer
  std::optional<Moment> StartTime;  // none: no start set
  bool StartPending = false;        // drawing was switched on; the next reading starts a recording
  bool Running = false;             // a recording is in progress on the active channel
  int StoreCounter = 0;             // readings drawn since the last stored sample
  int ActiveChannel = 0;
  int ActiveColor = 10;  // palette index of the active channel
  int LastX = 0;         // last processed live point; all four 0: no previous point
  int LastY = 0;
  int LastDrawnX = 0;
  int LastDrawnY = 0;
  bool Active = false;     // "drawing active": the user's choice, or ended by a full channel
  bool AutoScale = false;  // the ranges follow the readings
  // The first alarm since the last reset or channel change: the running time, or the time of
  // day without a start.
  std::optional<LocalSeconds> FirstAlarm;

  std::string alarmTimeText() const { return FirstAlarm ? TimeStr(*FirstAlarm) : NoTime; }
  void clearPenPositions() { LastX = LastY = LastDrawnX = LastDrawnY = 0; }
  // Whole seconds since the start by the steady clock, whatever the wall clock did; 0
  // without a start.
  std::int64_t runSeconds(const Clock& clock) const {
    return StartTime ? wholeSeconds(clock.steadyMs() - StartTime->steadyMs) : 0;
  }
};

}  // namespace kelvor
