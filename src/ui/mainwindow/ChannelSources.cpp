// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ChannelSources.h"

#include <cmath>

#include "core/calc/Calculation.h"
#include "ui/mainwindow/MeterPort.h"

namespace kelvor {

namespace {
// What a further meter showed last, for the large display when it shows that meter.
struct ShownTexts : ReadingView {
  void showValue(const std::string& text) override { value = text; }
  void showMode(const std::string& text) override { mode = text; }
  std::string value, mode;
};
}  // namespace

// A meter on a further channel, with its own port configuration.
struct ChannelSources::Further {
  Further(const PortConfig& port, int channelIndex, const Clock& clock, AlarmSound& sound,
          char decimalSeparator)
      : config(port),
        channel(channelIndex),
        connection(config, clock, sound, {&shown, nullptr}, decimalSeparator) {}
  PortConfig config;
  int channel;  // from 0
  ShownTexts shown;
  MeterConnection connection;
};

ChannelSources::ChannelSources(MeterConnection& own, const Clock& clock, AlarmSound& sound,
                               char decimalSeparator)
    : own_(own),
      clock_(clock),
      sound_(sound),
      decimalSeparator_(decimalSeparator),
      feed_(own.session().recording(), own.session().traces(), own.session().clock()) {
  own_.session().recording().addListener(this);
}

ChannelSources::~ChannelSources() {
  own_.session().recording().removeListener(this);
}

namespace {
std::vector<ChannelPlan> planOf(const std::vector<ChannelBinding>& bindings) {
  std::vector<ChannelPlan> plan;
  for (const ChannelBinding& binding : bindings) {
    ChannelPlan entry{binding.source != ChannelBinding::Source::None, std::nullopt};
    if (binding.source == ChannelBinding::Source::Calculation)
      entry.calculation = parseCalculation(binding.calculation).calculation;
    plan.push_back(entry);
  }
  return plan;
}
}  // namespace

void ChannelSources::bind(const std::vector<ChannelBinding>& bindings, int ownChannel,
                          QWidget* parent) {
  const bool grouped = several();
  stop();
  bindings_ = bindings;
  ownChannel_ = ownChannel;
  watch(ownChannel);
  std::vector<int> fed;
  for (std::size_t i = 0; i < bindings_.size(); ++i)
    if (bindings_[i].source != ChannelBinding::Source::None && static_cast<int>(i) != ownChannel)
      fed.push_back(static_cast<int>(i));
  feed_.feed(fed);
  if (fed.empty()) {
    if (grouped) own_.timMessung().setEnabled(true);  // it polls by itself again
    return;
  }
  group_ = std::make_unique<MeterGroupConnection>(planOf(bindings_), decimalSeparator_, clock_);
  group_->addMeter(own_, ownChannel_ + 1);
  const RecordingState& state = own_.session().state();
  for (const int channel : fed) {
    const ChannelBinding& binding = bindings_[static_cast<std::size_t>(channel)];
    if (binding.source != ChannelBinding::Source::Meter) continue;
    further_.push_back(
        std::make_unique<Further>(binding.port, channel, clock_, sound_, decimalSeparator_));
    MeterConnection& meter = further_.back()->connection;
    MeterSession& session = meter.session();
    session.chooseChannel(channel);  // its journal's channel column
    session.journal().setEnabled(journal_);
    session.journal().setFaultHandler(onFault_);
    session.recorder().setActive(state.active());
    openMeterPort(meter, parent);
    group_->addMeter(meter, channel + 1);
  }
  MeterGroup& group = group_->group();
  group.setJournalEnabled(journal_);
  group.setFaultHandler(onFault_);
  group.addListener(this);
  group.start();
}

bool ChannelSources::stop() {
  bool closed = true;
  if (group_) {
    group_->group().stop();
    closed = group_->endJournal();
  }
  for (auto& meter : further_) {
    closed = meter->connection.stopPolling() && closed;
    meter->connection.close();
  }
  group_.reset();  // before the meters it listens to
  further_.clear();
  return closed;
}

void ChannelSources::watch(int channel) {
  watched_ = channel;
  own_.session().watchOtherChannel(channel != ownChannel_);
}

MeterConnection* ChannelSources::meterOn(int channel) {
  if (channel == ownChannel_) return &own_;
  for (auto& meter : further_)
    if (meter->channel == channel) return &meter->connection;
  return nullptr;
}

std::optional<std::pair<std::string, std::string>> ChannelSources::shownBy(int channel) const {
  for (const auto& meter : further_)
    if (meter->channel == channel) return std::make_pair(meter->shown.value, meter->shown.mode);
  return std::nullopt;
}

void ChannelSources::ownPortChosen(const PortConfig& port) {
  const auto own = static_cast<std::size_t>(ownChannel_);
  if (own < bindings_.size()) bindings_[own].port = port;
}

void ChannelSources::setJournalEnabled(bool on) {
  journal_ = on;
  for (auto& meter : further_) meter->connection.session().journal().setEnabled(on);
  if (group_) group_->group().setJournalEnabled(on);
}

void ChannelSources::recordingChanged(RecordingChange change, const RecordingState& state) {
  if (!group_) return;
  switch (change) {
    case RecordingChange::Active:
      for (auto& meter : further_) meter->connection.session().recorder().setActive(state.active());
      break;
    case RecordingChange::Cleared:
      for (auto& meter : further_) meter->connection.session().reset();
      group_->group().reset();
      break;
    default:
      break;
  }
}

void ChannelSources::tickDone(const Moment& tick, const TickReadings& readings) {
  feed_.take(readings);
  const auto watched = static_cast<std::size_t>(watched_);
  if (watched_ != ownChannel_ && watched < readings.size() && readings[watched] &&
      std::isfinite(readings[watched]->value))
    own_.session().testWatchedValue(static_cast<float>(readings[watched]->value));
  for (MeterGroup::TickListener* listener : listeners_) listener->tickDone(tick, readings);
}

}  // namespace kelvor
