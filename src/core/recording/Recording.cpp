// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recording/Recording.h"

#include <algorithm>

#include "core/recording/ValueLists.h"

namespace kelvor {

void Recording::removeListener(RecordingListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Recording::notify(RecordingChange change) {
  for (RecordingListener* listener : listeners_) listener->recordingChanged(change, state_);
}

void Recording::takeReading(float value, const std::string& unit) {
  state_.currentValue_ = value;
  state_.currentUnit_ = unit;
  notify(RecordingChange::Reading);
}

void Recording::beginRun(const Moment& now) {
  state_.startPending_ = false;
  state_.running_ = true;
  state_.startTime_ = now;
  notify(RecordingChange::Started);
}

void Recording::setActive(bool active, const Moment& now) {
  state_.active_ = active;
  if (active) {
    if (!state_.startTime_) state_.startTime_ = now;
    state_.startPending_ = true;
  } else {
    state_.running_ = false;
    state_.startPending_ = false;  // also a start that waits for its rule
  }
  notify(RecordingChange::Active);
}

void Recording::selectChannel(int channel) {
  state_.activeChannel_ = channel;
  state_.activeColor_ = ValueLists::ChannelColors[static_cast<std::size_t>(channel)];
}

void Recording::switchChannel(int channel, const Moment& now) {
  selectChannel(channel);
  if (state_.active_) state_.startTime_ = now;
  state_.firstAlarm_.reset();
  notify(RecordingChange::Channel);
}

void Recording::setAutoScale(bool on) {
  state_.autoScale_ = on;
  notify(RecordingChange::AutoScale);
}

void Recording::setFirstAlarm(LocalSeconds shown) {
  state_.firstAlarm_ = shown;
  state_.alarmElapsed_ = state_.startTime_.has_value();
  notify(RecordingChange::FirstAlarm);
}

void Recording::clear() {
  state_.firstAlarm_.reset();
  state_.startTime_.reset();
  state_.active_ = false;
  state_.running_ = false;
  notify(RecordingChange::Cleared);
}

void Recording::startReplay(int channel, const Moment& start) {
  selectChannel(channel);
  state_.startTime_ = start;
  notify(RecordingChange::Replaying);
}

void Recording::restore(const RecordingState& saved) {
  state_ = saved;
  notify(RecordingChange::Restored);
}

}  // namespace kelvor
