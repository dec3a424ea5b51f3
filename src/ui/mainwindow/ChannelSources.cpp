// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ChannelSources.h"

#include "ui/mainwindow/MeterPort.h"

namespace kelvor {

ChannelSources::ChannelSources(MeterStation& station, LiveRecording& recording)
    : station_(station), recording_(recording) {
  station_.addListener(&recording_);  // the recording hears of each tick first
  station_.setAlarmTest(
      [this](int channel) { return recording_.alarmed() && recording_.watched() == channel; });
}

ChannelSources::~ChannelSources() {
  recording_.attachGroup(nullptr, {});  // before the station's meters go
  station_.removeListener(&recording_);
  station_.setAlarmTest({});
}

void ChannelSources::bind(const std::vector<ChannelBinding>& bindings, int ownChannel,
                          QWidget* parent) {
  recording_.attachGroup(nullptr, {});  // the meters it holds may go with the old binding
  station_.bind(bindings);
  ownChannel_ = ownChannel;
  for (const int channel : station_.boundChannels())
    if (MeterConnection* meter = station_.meterOn(channel); meter && !meter->state().PortOpen)
      openMeterPort(*meter, parent);
  recording_.attachGroup(&station_.group(), station_.boundChannels());
  recording_.watch(ownChannel_);
}

void ChannelSources::moveOwnMeter(int channel) {
  if (!several() && channel != ownChannel_ && ownMeter()) {
    station_.moveLoneMeter(channel);
    ownChannel_ = channel;
    recording_.watch(channel);
  }
  recording_.chooseChannel(channel);
}

}  // namespace kelvor
