// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/ChannelFeed.h"

#include <cmath>

#include "core/scope/ScopeController.h"

namespace kelvor {

ChannelFeed::ChannelFeed(Recording& recording, TraceStore& store, const Clock& clock)
    : recording_(recording), store_(store), clock_(clock) {
  recording_.addListener(this);
}

ChannelFeed::~ChannelFeed() {
  recording_.removeListener(this);
}

int ChannelFeed::storeInterval() const {
  return plot_ ? plot_->scale().StoreInterval : 1;
}

void ChannelFeed::take(const TickReadings& readings) {
  const RecordingState& state = recording_.state();
  if (!state.running() || !state.active()) return;
  if (++ticks_ < storeInterval()) return;
  ticks_ = 0;
  const auto seconds = static_cast<float>(state.runSeconds(clock_));
  for (const int channel : channels_) {
    const auto index = static_cast<std::size_t>(channel);
    if (index >= readings.size() || !readings[index] || !std::isfinite(readings[index]->value))
      continue;
    const int n = store_.count(channel) + 1;
    if (n > TraceStore::LiveCapacity) continue;
    store_.setSample(channel, n, static_cast<float>(readings[index]->value), seconds);
    store_.setUnit(channel, readings[index]->unit);
    store_.setCount(channel, n);
    if (!plot_) continue;
    const auto value = static_cast<float>(readings[index]->value);
    plot_->drawReading(channel, static_cast<double>(seconds), value);
    if (state.autoScale()) plot_->AutoRangeY(value, value);
  }
}

void ChannelFeed::recordingChanged(RecordingChange change, const RecordingState&) {
  if (change != RecordingChange::Started) return;
  for (const int channel : channels_) store_.setCount(channel, 0);
  ticks_ = storeInterval() - 1;  // the first tick of a recording is stored at once
}

}  // namespace kelvor
