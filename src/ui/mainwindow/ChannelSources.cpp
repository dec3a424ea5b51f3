// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ChannelSources.h"

#include <algorithm>

#include "core/calc/Calculation.h"
#include "ui/mainwindow/MeterPort.h"

namespace kelvor {

// A meter on a further channel, with its own port configuration.
struct ChannelSources::Further {
  Further(const PortConfig& port, int channelIndex, const Clock& clock, char decimalSeparator)
      : config(port), channel(channelIndex), connection(config, clock, decimalSeparator) {}
  PortConfig config;
  int channel;  // from 0
  MeterConnection connection;
};

ChannelSources::ChannelSources(MeterConnection& own, LiveRecording& recording, const Clock& clock,
                               char decimalSeparator)
    : own_(own), recording_(recording), clock_(clock), decimalSeparator_(decimalSeparator) {}

// The window's parts that listen may be gone already: none hears the end.
ChannelSources::~ChannelSources() {
  listeners_.clear();
  publisher_ = nullptr;
  recording_.attachGroup(nullptr, {});
  stop();
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
  stop();
  bindings_ = bindings;
  ownChannel_ = ownChannel;
  group_ = std::make_unique<MeterGroupConnection>(planOf(bindings_), decimalSeparator_, clock_);
  group_->addMeter(own_, ownChannel_ + 1);
  std::vector<int> fed;
  for (std::size_t i = 0; i < bindings_.size(); ++i) {
    const ChannelBinding& binding = bindings_[i];
    const int channel = static_cast<int>(i);
    if (binding.source == ChannelBinding::Source::None) continue;
    fed.push_back(channel);
    if (binding.source != ChannelBinding::Source::Meter || channel == ownChannel_) continue;
    further_.push_back(std::make_unique<Further>(binding.port, channel, clock_, decimalSeparator_));
    MeterConnection& meter = further_.back()->connection;
    meter.reader().journal().setEnabled(journal_);
    meter.reader().journal().setFaultHandler(onFault_);
    openMeterPort(meter, parent);
    group_->addMeter(meter, channel + 1);
  }
  MeterGroup& group = group_->group();
  group.setJournalEnabled(journal_);
  group.setFaultHandler(onFault_);
  recording_.attachGroup(&group, fed);  // the recording hears of each tick first
  recording_.watch(ownChannel_);
  group.addListener(this);
  if (polling_) group.start();
}

bool ChannelSources::several() const {
  return std::count_if(bindings_.begin(), bindings_.end(), [](const ChannelBinding& binding) {
           return binding.source != ChannelBinding::Source::None;
         }) > 1;
}

bool ChannelSources::stop() {
  bool closed = true;
  if (group_) {
    group_->group().stop();
    closed = group_->endJournal();
    recording_.attachGroup(nullptr, {});
  }
  for (auto& meter : further_) {
    closed = meter->connection.stopPolling() && closed;
    meter->connection.close();
  }
  group_.reset();  // before the meters it listens to
  further_.clear();
  return closed;
}

void ChannelSources::moveOwnMeter(int channel) {
  const auto from = static_cast<std::size_t>(ownChannel_);
  const auto to = static_cast<std::size_t>(channel);
  if (several() || to >= bindings_.size() || channel == ownChannel_) {
    recording_.chooseChannel(channel);
    return;
  }
  std::swap(bindings_[from], bindings_[to]);
  ownChannel_ = channel;
  if (group_) group_->group().moveMeter(channel + 1);
  recording_.chooseChannel(channel);
  recording_.watch(channel);
}

MeterConnection* ChannelSources::meterOn(int channel) {
  if (channel == ownChannel_) return &own_;
  for (auto& meter : further_)
    if (meter->channel == channel) return &meter->connection;
  return nullptr;
}

const MeterReading* ChannelSources::readingOf(int channel) const {
  return group_ ? group_->group().readingOf(channel) : nullptr;
}

void ChannelSources::ownPortChosen(const PortConfig& port) {
  const auto own = static_cast<std::size_t>(ownChannel_);
  if (own < bindings_.size()) bindings_[own].port = port;
}

void ChannelSources::setJournalEnabled(bool on) {
  journal_ = on;
  own_.reader().journal().setEnabled(on);
  for (auto& meter : further_) meter->connection.reader().journal().setEnabled(on);
  if (group_) group_->group().setJournalEnabled(on);
}

void ChannelSources::setPolling(bool on) {
  polling_ = on;
  if (!group_) return;
  if (on)
    group_->group().start();
  else
    group_->group().stop();
}

void ChannelSources::tickDone(const Moment& tick, const TickReadings& readings) {
  if (publisher_ && group_)
    if (const JournalRow* row = group_->group().rowOf(ownChannel_))
      publisher_->readingRecorded(*row,
                                  recording_.alarmed() && recording_.watched() == ownChannel_);
  for (MeterGroup::TickListener* listener : listeners_) listener->tickDone(tick, readings);
}

}  // namespace kelvor
