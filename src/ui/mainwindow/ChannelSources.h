// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "core/scope/Recording.h"
#include "core/session/ChannelFeed.h"
#include "core/settings/ChannelBinding.h"
#include "platform/MeterConnection.h"
#include "platform/MeterGroupConnection.h"

class QWidget;

namespace kelvor {

// The window's sources besides its own meter: the meters bound to further channels and the
// calculated channels. With more than one channel bound, every meter is polled on one common
// tick; each tick's readings go into the plot, and the alarm tests the watched channel's.
// The further meters record while the window's recording does, each into its own journal.
class ChannelSources : public RecordingListener, public MeterGroup::TickListener {
 public:
  ChannelSources(MeterConnection& own, const Clock& clock, AlarmSound& sound,
                 char decimalSeparator);
  ~ChannelSources() override;

  // Binds the six channels; the window's own meter serves `ownChannel` (from 0) and is open.
  // With one channel bound nothing else happens: the own meter polls by itself.
  void bind(const std::vector<ChannelBinding>& bindings, int ownChannel, QWidget* parent);
  bool several() const { return group_ != nullptr; }
  // The channel the large display shows and the alarm watches (from 0).
  void watch(int channel);
  int watched() const { return watched_; }
  int ownChannel() const { return ownChannel_; }
  // The meter on a channel, the own one included; none for a calculation or nothing.
  MeterConnection* meterOn(int channel);
  // A further meter's reading as it showed it last (value and mode); none on other channels.
  std::optional<std::pair<std::string, std::string>> shownBy(int channel) const;
  const std::vector<ChannelBinding>& bindings() const { return bindings_; }
  // The own meter's port was chosen anew.
  void ownPortChosen(const PortConfig& port);
  void attachPlot(ScopeController* plot) { feed_.attachPlot(plot); }
  void setJournalEnabled(bool on);
  // Where the further meters' and the calculated journal's faults are told.
  void setFaultHandler(JournalWriter::FaultHandler handler) { onFault_ = std::move(handler); }
  // Told after every tick, once the plot and the alarm have it.
  void addListener(MeterGroup::TickListener* listener) { listeners_.push_back(listener); }
  // No more polls, every further meter closed and its journal ended (so does binding anew);
  // false when a journal was left open.
  bool stop();

  void recordingChanged(RecordingChange change, const RecordingState& state) override;
  void tickDone(const Moment& tick, const TickReadings& readings) override;

 private:
  struct Further;

  MeterConnection& own_;
  const Clock& clock_;
  AlarmSound& sound_;
  char decimalSeparator_;
  ChannelFeed feed_;
  std::vector<ChannelBinding> bindings_;
  std::vector<std::unique_ptr<Further>> further_;
  std::unique_ptr<MeterGroupConnection> group_;
  std::vector<MeterGroup::TickListener*> listeners_;
  JournalWriter::FaultHandler onFault_;
  int ownChannel_ = 0;
  int watched_ = 0;
  bool journal_ = true;
};

}  // namespace kelvor
