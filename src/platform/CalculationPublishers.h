// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "core/session/MeterGroup.h"
#include "platform/MqttPublisher.h"

namespace kelvor {

// Publishes the calculated channels of a meter group as the meters' readings are published,
// each channel under a topic of its own ("…/calc3"): one publisher a calculated channel, told
// of the rows of every tick the group recorded.
class CalculationPublishers : public QObject, public MeterGroup::TickListener {
  Q_OBJECT

 public:
  // A publisher for each calculated channel of `plan`, the group's channels.
  explicit CalculationPublishers(const std::vector<ChannelPlan>& plan, QObject* parent = nullptr);
  ~CalculationPublishers() override;

  // Publishes with these settings; a calculated channel is never a program's only source.
  void configure(const PublishSettings& settings, const std::string& hostName);
  // See MqttPublisher::tellFaultsWith.
  void tellFaultsWith(FaultReports& reports);

  void calculationsRecorded(const std::vector<JournalRow>& rows) override;
  void tickDone(const Moment&, const TickReadings&) override {}

  bool active() const;
  // A publisher is connected and has messages the broker has yet to acknowledge.
  bool delivering() const;

 signals:
  // A fault of one of the publishers, as MqttPublisher::faultOccurred.
  void faultOccurred(kelvor::PublishFault fault, const QString& detail);

 private:
  struct Channel {
    int number;  // from 1
    std::unique_ptr<MqttPublisher> publisher;
  };
  std::vector<Channel> channels_;
};

}  // namespace kelvor
