// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "core/session/LiveRecording.h"
#include "core/settings/ChannelBinding.h"
#include "platform/MeterConnection.h"
#include "platform/MeterGroupConnection.h"
#include "platform/MqttPublisher.h"

class QWidget;

namespace kelvor {

// The window's sources: its own meter, the meters bound to further channels and the
// calculated channels, all one group on one tick that feeds the window's recording, one
// meter or six. Each meter journals while the recording runs, into its own journal.
class ChannelSources : public MeterGroup::TickListener {
 public:
  ChannelSources(MeterConnection& own, LiveRecording& recording, const Clock& clock,
                 char decimalSeparator);
  ~ChannelSources() override;

  // Binds the six channels; the window's own meter serves `ownChannel` (from 0) and is open.
  void bind(const std::vector<ChannelBinding>& bindings, int ownChannel, QWidget* parent);
  // More than one channel is bound: a channel button chooses what is watched.
  bool several() const;
  // The channel the large display shows and the alarm watches (from 0).
  void watch(int channel) { recording_.watch(channel); }
  int watched() const { return recording_.watched(); }
  int ownChannel() const { return ownChannel_; }
  // With one meter: it records into `channel` (from 0) from now on, emptied.
  void moveOwnMeter(int channel);
  // The meter on a channel, the own one included; none for a calculation or nothing.
  MeterConnection* meterOn(int channel);
  const std::vector<ChannelBinding>& bindings() const { return bindings_; }
  // The own meter's port was chosen anew.
  void ownPortChosen(const PortConfig& port);
  LiveRecording& recording() { return recording_; }
  void setJournalEnabled(bool on);
  // Whether the group's tick runs (a build's developer folder keeps it still).
  void setPolling(bool on);
  // Where the further meters' and the calculated journal's faults are told.
  void setFaultHandler(JournalWriter::FaultHandler handler) { onFault_ = std::move(handler); }
  // Publishes the own meter's journalled readings.
  void setPublisher(MqttPublisher* publisher) { publisher_ = publisher; }
  // Told after every tick, once the recording, the plot and the alarm have it.
  void addListener(MeterGroup::TickListener* listener) { listeners_.push_back(listener); }
  // The group of the bound channels; none before the first binding.
  MeterGroup* group() { return group_ ? &group_->group() : nullptr; }
  // The answer a meter gave on `channel` in the tick being told; none without one.
  const MeterReading* readingOf(int channel) const;
  // No more polls, every further meter closed and its journal ended (so does binding anew);
  // false when a journal was left open.
  bool stop();

  void tickDone(const Moment& tick, const TickReadings& readings) override;

 private:
  struct Further;

  MeterConnection& own_;
  LiveRecording& recording_;
  const Clock& clock_;
  char decimalSeparator_;
  std::vector<ChannelBinding> bindings_;
  std::vector<std::unique_ptr<Further>> further_;
  std::unique_ptr<MeterGroupConnection> group_;
  std::vector<MeterGroup::TickListener*> listeners_;
  JournalWriter::FaultHandler onFault_;
  MqttPublisher* publisher_ = nullptr;
  int ownChannel_ = 0;
  bool journal_ = true;
  bool polling_ = true;
};

}  // namespace kelvor
