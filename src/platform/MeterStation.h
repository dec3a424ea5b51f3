// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/settings/ChannelBinding.h"
#include "core/text/Message.h"
#include "platform/CalculationPublishers.h"
#include "platform/MeterConnection.h"
#include "platform/MeterGroupConnection.h"
#include "platform/MqttPublisher.h"

namespace kelvor {

// The meters of a program, each bound to a channel, and what takes their readings besides a
// window: one group polls them on one tick and calculates the calculated channels; each meter
// journals into its own journal, the calculated channels into theirs; every meter and every
// calculated channel is published under a topic of its own. The window and kelvor-record both
// run on it; its listeners hear each tick, in the order they came, before its publishers do.
class MeterStation : public QObject, private MeterGroup::TickListener {
  Q_OBJECT

 public:
  MeterStation(const Clock& clock, char decimalSeparator);
  ~MeterStation() override;
  MeterStation(const MeterStation&) = delete;
  MeterStation& operator=(const MeterStation&) = delete;

  // Binds the channels anew. A meter whose line stays the same keeps its connection, its
  // open port and its journal; the others are made (their ports not yet open) or closed.
  void bind(const std::vector<ChannelBinding>& bindings);
  // The bindings, each meter's with its port as it is now.
  std::vector<ChannelBinding> bindings() const;
  // The channels bound to something (from 0).
  std::vector<int> boundChannels() const;
  // The meter on `channel` (from 0); none for a calculation or nothing.
  MeterConnection* meterOn(int channel);
  const MeterConnection* meterOn(int channel) const;
  // Its port, which the port dialog may change in place.
  PortConfig* portOn(int channel);
  MeterGroup& group() { return group_->group(); }
  // The calculated channels' journal open now; empty without one.
  std::string calculationJournalPath() const { return group_ ? group_->journalPath() : ""; }
  // With one meter and nothing else bound: it feeds `channel` (from 0) from now on.
  void moveLoneMeter(int channel);
  // Told of every tick, in the order added; they stay across bindings.
  void addListener(MeterGroup::TickListener* listener) { listeners_.push_back(listener); }
  void removeListener(MeterGroup::TickListener* listener);

  void setJournalEnabled(bool on);
  // Where every journal's faults are told.
  void setFaultHandler(JournalWriter::FaultHandler handler);
  // Whether the group's tick runs.
  void setPolling(bool on);

  // Publishes every source with these settings (stops when they are not enabled). Their
  // publishers share their fault reports: a broker's fault is told once.
  void publish(const PublishSettings& settings);
  // Whether a channel's latest reading met the alarm condition, for the published messages.
  void setAlarmTest(std::function<bool(int channel)> test) { alarmTest_ = std::move(test); }
  // The state of the first meter's publisher, for the publishing dialog.
  PublishStatus publishStatus() const;
  // The channels' sources were renamed (a port changed): each publisher follows its topic.
  void refreshTopics() { configurePublishers(); }
  // The topic prefix of the channel's source ("" for nothing bound), as published now or with
  // other settings.
  std::string topicOn(int channel) const;
  std::string topicOn(int channel, const PublishSettings& settings) const;
  bool publishing() const;
  // Every meter's publisher tells a change of the recording (see MqttPublisher).
  void publishRecordingStatus(const std::string& state);
  // A publisher is connected and has messages the broker has yet to acknowledge.
  bool delivering() const;

  // No more polls: the tick that went out is done, every journal ends (waiting for its disk no
  // longer than JournalWriter::CloseLimit) and every port closes. Returns what is still open.
  std::vector<Message> stop();

 signals:
  // A publisher's fault, as MqttPublisher::faultOccurred.
  void publishFault(kelvor::PublishFault fault, const QString& detail);
  void publishStatusChanged();

 private:
  struct Meter;
  void tickStarted(const Moment& tick) override;
  void tickDone(const Moment& tick, const TickReadings& readings) override;
  void calculationsRecorded(const std::vector<JournalRow>& rows) override;
  void configurePublishers();
  void makeGroup();

  const Clock& clock_;
  char decimalSeparator_;
  FaultReports faultReports_;  // of every publisher (before them): a fault is told once
  std::vector<ChannelBinding> bindings_;
  std::vector<std::unique_ptr<Meter>> meters_;
  std::unique_ptr<CalculationPublishers> calculations_;
  std::unique_ptr<MeterGroupConnection> group_;  // after what it tells
  std::vector<MeterGroup::TickListener*> listeners_;
  JournalWriter::FaultHandler onFault_;
  std::function<bool(int)> alarmTest_;
  PublishSettings publishSettings_;
  bool journal_ = true;
  bool polling_ = true;
};

}  // namespace kelvor
