// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scope/Recorder.h"

#include "core/scope/ValueLists.h"
#include "core/text/TimeText.h"

namespace kelvor {

Recorder::Recorder(RecordingState& state, TraceStore& store, const Clock& clock, RecorderView& view)
    : state_(state), store_(store), clock_(clock), view_(view) {}

void Recorder::clearAlarmTime() {
  state_.FirstAlarm.reset();
  view_.showAlarmTime(NoTime);
}

void Recorder::setActive(bool active) {
  state_.Active = active;
  view_.showActive(active);
  if (active) {
    if (!state_.StartTime) state_.StartTime = clock_.moment();
    state_.StartPending = true;
  } else {
    state_.Running = false;
  }
}

void Recorder::chooseChannel(int index) {
  state_.ActiveColor = ValueLists::ChannelColors[static_cast<std::size_t>(index)];
  state_.ActiveChannel = index;
  store_.setCount(index, 0);
  state_.clearPenPositions();
  if (state_.Active) {
    // A running recording goes on in the new channel with a new time origin.
    state_.StartTime = clock_.moment();
    view_.showStartTime(TimeStr(state_.StartTime->wall.local()));
    view_.showCurrentTime(TimeStr(state_.StartTime->wall.local()));
    view_.showRunTime("00:00:00");
  }
  view_.setReadingColor(paletteRgb(state_.ActiveColor));
  clearAlarmTime();
}

void Recorder::reset() {
  view_.showStartTime(NoTime);
  view_.showRunTime(NoTime);
  clearAlarmTime();
  state_.StartTime.reset();
  setActive(false);
  state_.Running = false;
  store_.clearAll();
  state_.clearPenPositions();
}

void Recorder::SaveMesswert() {
  const int n = store_.count(state_.ActiveChannel) + 1;
  if (n > TraceStore::LiveCapacity) {
    if (startOver_)
      state_.StartPending = true;
    else
      setActive(false);
    return;
  }
  const auto seconds = static_cast<float>(state_.runSeconds(clock_));
  store_.setSample(state_.ActiveChannel, n, state_.CurrentValue, seconds);
  store_.setCount(state_.ActiveChannel, n);  // the count last: the sample is complete
}

void Recorder::recordingStarted() {
  store_.setCount(state_.ActiveChannel, 0);
}

}  // namespace kelvor
