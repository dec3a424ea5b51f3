// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recording/Recorder.h"

#include "core/text/TimeText.h"

namespace kelvor {

Recorder::Recorder(Recording& recording, TraceStore& store, const Clock& clock, RecorderView& view)
    : recording_(recording), store_(store), clock_(clock), view_(view) {}

void Recorder::setActive(bool active) {
  recording_.setActive(active, clock_.moment());
}

void Recorder::chooseChannel(int index) {
  store_.setCount(index, 0);
  recording_.switchChannel(index, clock_.moment());
  const RecordingState& state = recording_.state();
  if (state.active()) {
    // A running recording goes on in the new channel with a new time origin.
    view_.showStartTime(timeOfDayText(state.startTime()->wall.local()));
    view_.showCurrentTime(timeOfDayText(state.startTime()->wall.local()));
    view_.showRunTime("00:00:00");
  }
}

void Recorder::reset() {
  view_.showStartTime(NoTime);
  view_.showRunTime(NoTime);
  recording_.clear();
  store_.clearAll();
}

}  // namespace kelvor
