// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MqttPublisher.h"

#include <mosquitto.h>

#include <QMetaObject>
#include <QSysInfo>

#include "platform/PublishWorker.h"

namespace kelvor {

MqttPublisher::MqttPublisher(QObject* parent, SendMessage send) : QObject(parent) {
  static const int initialised = mosquitto_lib_init();
  (void)initialised;
  worker_ = std::make_unique<PublishWorker>(
      shared_, std::move(send), [this](const PublishStatus& status) {
        QMetaObject::invokeMethod(
            this, [this, status] { take(status); }, Qt::QueuedConnection);
      });
}

MqttPublisher::~MqttPublisher() = default;

void MqttPublisher::configure(const PublishSettings& settings, const std::string& topicPrefix) {
  enabled_ = settings.enabled && !settings.host.empty();
  prefix_ = topicPrefix;
  worker_->configure(settings, topicPrefix);
}

void MqttPublisher::readingRecorded(const JournalRow& row, bool alarm) {
  if (!enabled_) return;
  const std::string json = readingJson(row);
  {
    std::lock_guard lock(shared_.mutex);
    shared_.queue.pushReading(prefix_, json, alarm);
  }
  worker_->wake();
}

void MqttPublisher::recordingStatus(const std::string& state) {
  if (!enabled_) return;
  {
    std::lock_guard lock(shared_.mutex);
    shared_.queue.push(prefix_, PublishTopic::Status, state);
  }
  worker_->wake();
}

std::uint64_t MqttPublisher::acknowledged() const {
  std::lock_guard lock(shared_.mutex);
  return shared_.acknowledged;
}

std::size_t MqttPublisher::waiting() const {
  std::lock_guard lock(shared_.mutex);
  return shared_.queue.size();
}

std::string MqttPublisher::hostName() {
  return QSysInfo::machineHostName().toStdString();
}

void MqttPublisher::take(const PublishStatus& status) {
  if (status.state == PublishStatus::State::Connected) reports_->connected();
  status_ = status;
  emit statusChanged();
  if (status.state == PublishStatus::State::Waiting && reports_->shouldReport(status.fault))
    emit faultOccurred(status.fault, QString::fromStdString(status.detail));
}

}  // namespace kelvor
