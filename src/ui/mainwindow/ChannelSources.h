// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "core/session/LiveRecording.h"
#include "core/settings/ChannelBinding.h"
#include "platform/MeterStation.h"

class QWidget;

namespace kelvor {

// The window's side of its meters: the station's channels as the window shows them. The
// window's own meter serves the first meter channel; a channel button either chooses the
// watched channel (several bound) or moves the one meter (one bound). The station's group
// feeds the window's recording.
class ChannelSources {
 public:
  ChannelSources(MeterStation& station, LiveRecording& recording);
  ~ChannelSources();
  ChannelSources(const ChannelSources&) = delete;
  ChannelSources& operator=(const ChannelSources&) = delete;

  // Binds the six channels; the window's own meter serves `ownChannel` (from 0). The ports not
  // open yet are opened, a failure told in a message box over `parent`.
  void bind(const std::vector<ChannelBinding>& bindings, int ownChannel, QWidget* parent);
  // More than one channel is bound: a channel button chooses what is watched.
  bool several() const { return station_.boundChannels().size() > 1; }
  // The channel the large display shows and the alarm watches (from 0).
  void watch(int channel) { recording_.watch(channel); }
  int watched() const { return recording_.watched(); }
  int ownChannel() const { return ownChannel_; }
  // With one meter: it records into `channel` (from 0) from now on, emptied.
  void moveOwnMeter(int channel);
  // The meter on a channel, the own one included; none for a calculation or nothing.
  MeterConnection* meterOn(int channel) { return station_.meterOn(channel); }
  MeterConnection* ownMeter() { return station_.meterOn(ownChannel_); }
  // The own meter's port, as the port dialog changes it; none before the first binding.
  PortConfig* ownPort() { return station_.portOn(ownChannel_); }
  std::vector<ChannelBinding> bindings() const { return station_.bindings(); }
  MeterStation& station() { return station_; }
  LiveRecording& recording() { return recording_; }
  // Told after every tick, once the recording, the plot and the alarm have it.
  void addListener(MeterGroup::TickListener* listener) { station_.addListener(listener); }
  // The group of the bound channels.
  MeterGroup* group() { return &station_.group(); }

 private:
  MeterStation& station_;
  LiveRecording& recording_;
  int ownChannel_ = 0;
};

}  // namespace kelvor
