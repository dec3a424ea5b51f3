// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CalculationPublishers.h"

#include <algorithm>

namespace kelvor {

CalculationPublishers::CalculationPublishers(const std::vector<ChannelPlan>& plan, QObject* parent)
    : QObject(parent) {
  for (std::size_t i = 0; i < plan.size(); ++i) {
    if (!plan[i].calculation) continue;
    channels_.push_back({static_cast<int>(i) + 1, std::make_unique<MqttPublisher>()});
    connect(channels_.back().publisher.get(), &MqttPublisher::faultOccurred, this,
            &CalculationPublishers::faultOccurred);
  }
}

CalculationPublishers::~CalculationPublishers() = default;

void CalculationPublishers::configure(const PublishSettings& settings,
                                      const std::string& hostName) {
  for (Channel& channel : channels_)
    channel.publisher->configure(
        settings, settings.topicFor(hostName, calculationSource(channel.number), true));
}

void CalculationPublishers::tellFaultsWith(FaultReports& reports) {
  for (Channel& channel : channels_) channel.publisher->tellFaultsWith(reports);
}

void CalculationPublishers::calculationsRecorded(const std::vector<JournalRow>& rows) {
  for (const JournalRow& row : rows) {
    const auto found = std::find_if(channels_.begin(), channels_.end(), [&](const Channel& each) {
      return each.number == row.channel;
    });
    if (found != channels_.end()) found->publisher->readingRecorded(row, false);
  }
}

bool CalculationPublishers::active() const {
  return std::any_of(channels_.begin(), channels_.end(),
                     [](const Channel& channel) { return channel.publisher->active(); });
}

bool CalculationPublishers::delivering() const {
  return std::any_of(channels_.begin(), channels_.end(),
                     [](const Channel& channel) { return channel.publisher->delivering(); });
}

}  // namespace kelvor
