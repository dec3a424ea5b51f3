// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "core/Clock.h"
#include "core/calc/ChannelCalculator.h"
#include "core/scope/Recording.h"
#include "core/scope/TraceStore.h"

namespace kelvor {

class ScopeController;

// Records the channels that other sources fill beside the recording's own channel (further
// meters and calculated channels), one tick's readings at a time: while the recording runs,
// one sample every store interval of the plot, timed by the recording's running time. A
// channel without a finite reading on that tick gets no sample. A new recording empties them.
class ChannelFeed : public RecordingListener {
 public:
  ChannelFeed(Recording& recording, TraceStore& store, const Clock& clock);
  ~ChannelFeed() override;
  ChannelFeed(const ChannelFeed&) = delete;
  ChannelFeed& operator=(const ChannelFeed&) = delete;

  void attachPlot(ScopeController* plot) { plot_ = plot; }
  // The channels fed (from 0).
  void feed(std::vector<int> channels) { channels_ = std::move(channels); }
  // One tick's readings, channel 1 first.
  void take(const TickReadings& readings);

  void recordingChanged(RecordingChange change, const RecordingState& state) override;

 private:
  int storeInterval() const;

  Recording& recording_;
  TraceStore& store_;
  const Clock& clock_;
  ScopeController* plot_ = nullptr;
  std::vector<int> channels_;
  int ticks_ = 0;  // since the last stored sample
};

}  // namespace kelvor
