// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "core/journal/JournalFormat.h"
#include "core/publish/Publishing.h"
#include "platform/BrokerConnection.h"

namespace kelvor {

class PublishWorker;

// Publishes every recorded reading to an MQTT broker (libmosquitto, QoS 1) on a thread of its
// own: "<prefix>/reading", alarm readings also "<prefix>/alarm", a retained
// "<prefix>/status" ("online", last will "offline"), and once after readings were dropped
// "<prefix>/dropped". Telling it of a reading only queues it, so the recording never waits
// for the network; a reading leaves the queue when the broker has acknowledged it. After a
// failure it tries again with a growing delay. Its signals arrive on the owner's thread; new
// settings and its end never keep that thread waiting for the network.
class MqttPublisher : public QObject {
  Q_OBJECT

 public:
  // `send` hands a message to the client library (tests put a refusing one in its place).
  explicit MqttPublisher(QObject* parent = nullptr, SendMessage send = sendThroughLibrary);
  ~MqttPublisher() override;

  // Publishes with these settings under this topic prefix; stops when they are not enabled.
  // Readings not yet published stay queued.
  void configure(const PublishSettings& settings, const std::string& topicPrefix);
  // A journalled reading; `alarm`: it met the alarm condition.
  void readingRecorded(const JournalRow& row, bool alarm);
  // A change of the recording ("waiting", "recording", "stopped") on "<prefix>/status", in
  // order with the readings.
  void recordingStatus(const std::string& state);

  // Decides with `reports` (alive as long as this) which faults are told: publishers to the
  // same broker that share them tell a fault once between them.
  void tellFaultsWith(FaultReports& reports) { reports_ = &reports; }

  const PublishStatus& status() const { return status_; }
  bool active() const { return enabled_; }
  // Connected, with messages the broker has yet to acknowledge.
  bool delivering() const {
    return status_.state == PublishStatus::State::Connected && waiting() > 0;
  }
  // Messages the broker has acknowledged since the start.
  std::uint64_t acknowledged() const;
  // Messages not yet acknowledged (queued or in flight).
  std::size_t waiting() const;
  // The name of this machine, for the default topic prefix.
  static std::string hostName();

 signals:
  void statusChanged();
  // A fault the user should hear of: the first of its kind since the last connection.
  void faultOccurred(kelvor::PublishFault fault, const QString& detail);

 private:
  void take(const PublishStatus& status);

  mutable PublishShared shared_;
  PublishStatus status_;
  FaultReports ownReports_;
  FaultReports* reports_ = &ownReports_;
  bool enabled_ = false;
  std::string prefix_;                     // of the readings recorded from now on
  std::unique_ptr<PublishWorker> worker_;  // last: ends before what it uses
};

}  // namespace kelvor
