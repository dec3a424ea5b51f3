// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MqttPublisher.h"

#include <mosquitto.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QMetaObject>
#include <QSysInfo>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "core/publish/PublishQueue.h"

namespace kelvor {

namespace {
constexpr int Qos = 1;
constexpr int KeepAliveSeconds = 30;
constexpr std::size_t Window = 20;  // messages in flight at most
constexpr int LoopMs = 250;         // keep-alive and TLS housekeeping without traffic
constexpr auto StopWait = std::chrono::seconds(3);

void publishStatus(mosquitto* mosq, const std::string& prefix, const std::string& state) {
  mosquitto_publish(mosq, nullptr, topicName(prefix, PublishTopic::Status).c_str(),
                    static_cast<int>(state.size()), state.data(), Qos, true);
}
}  // namespace

// The queue, shared by the recording's thread, the publishing thread and the next run.
struct PublishShared {
  std::mutex mutex;
  PublishQueue queue;
  std::uint64_t acknowledged = 0;
};

// One run of the publishing thread with one set of settings: connects, publishes, and after
// a failure waits and tries again, until stopped.
class PublishRun {
 public:
  using Report = std::function<void(const PublishStatus&)>;

  PublishRun(std::shared_ptr<PublishShared> shared, PublishSettings settings, std::string prefix,
             Report report)
      : shared_(std::move(shared)),
        settings_(std::move(settings)),
        prefix_(std::move(prefix)),
        report_(std::move(report)),
        wake_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
  ~PublishRun() { close(wake_); }

  void wake() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = write(wake_, &one, sizeof one);
  }
  void requestStop() {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
    wake();
  }
  // Waits a little for the thread to end; false when it is still busy (a slow name lookup).
  bool waitEnded() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, StopWait, [this] { return ended_; });
  }
  void main();

 private:
  struct Outcome {
    bool connected = false;
    PublishFault fault = PublishFault::Unreachable;
    std::string detail;
  };
  bool stopping() {
    std::lock_guard lock(mutex_);
    return stopping_;
  }
  void report(const PublishStatus& status) {
    std::lock_guard lock(mutex_);
    if (!stopping_) report_(status);
  }
  Outcome session();
  bool setUp(mosquitto* mosq, Outcome& outcome);
  void serve(mosquitto* mosq);
  void sendPending(mosquitto* mosq);
  void fail(PublishFault fault, std::string detail);

  static void onConnect(mosquitto*, void* self, int rc);
  static void onPublish(mosquitto*, void* self, int mid);
  static void onDisconnect(mosquitto*, void* self, int rc);
  static void onLog(mosquitto*, void* self, int level, const char* text);

  std::shared_ptr<PublishShared> shared_;
  const PublishSettings settings_;
  const std::string prefix_;
  const Report report_;
  const int wake_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  bool ended_ = false;
  // The current session, touched by the publishing thread only.
  Outcome outcome_;
  bool over_ = false;
  std::map<int, std::uint64_t> inFlight_;  // message id of the library -> of the queue
  std::string lastError_;
};

void PublishRun::main() {
  int failures = 0;
  while (!stopping()) {
    report({PublishStatus::State::Connecting, PublishFault::None, 0, {}});
    const Outcome outcome = session();
    if (stopping()) break;
    failures = outcome.connected ? 1 : failures + 1;
    const auto delay = retryDelay(failures);
    report({PublishStatus::State::Waiting, outcome.fault, static_cast<int>(delay.count()),
            outcome.detail});
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, delay, [this] { return stopping_; });
  }
  std::lock_guard lock(mutex_);
  ended_ = true;
  changed_.notify_all();
}

PublishRun::Outcome PublishRun::session() {
  outcome_ = {};
  over_ = false;
  lastError_.clear();
  const std::unique_ptr<mosquitto, void (*)(mosquitto*)> mosq(mosquitto_new(nullptr, true, this),
                                                              mosquitto_destroy);
  if (!mosq) return {false, PublishFault::Unreachable, std::strerror(errno)};
  if (!setUp(mosq.get(), outcome_)) return outcome_;
  const int rc = mosquitto_connect(mosq.get(), settings_.host.c_str(), settings_.effectivePort(),
                                   KeepAliveSeconds);
  if (rc != MOSQ_ERR_SUCCESS) {
    const int error = errno;
    if (rc == MOSQ_ERR_EAI)
      fail(PublishFault::UnknownHost, settings_.host);
    else if (rc == MOSQ_ERR_TLS)
      fail(PublishFault::Certificate, lastError_);
    else if (rc == MOSQ_ERR_ERRNO && error == ECONNREFUSED)
      fail(PublishFault::Refused, std::strerror(error));
    else
      fail(PublishFault::Unreachable,
           rc == MOSQ_ERR_ERRNO ? std::strerror(error) : mosquitto_strerror(rc));
    return outcome_;
  }
  serve(mosq.get());
  {
    std::lock_guard lock(shared_->mutex);
    shared_->queue.connectionLost();
  }
  inFlight_.clear();
  return outcome_;
}

bool PublishRun::setUp(mosquitto* mosq, Outcome& outcome) {
  mosquitto_int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
  mosquitto_connect_callback_set(mosq, onConnect);
  mosquitto_publish_callback_set(mosq, onPublish);
  mosquitto_disconnect_callback_set(mosq, onDisconnect);
  mosquitto_log_callback_set(mosq, onLog);
  if (!settings_.user.empty())
    mosquitto_username_pw_set(mosq, settings_.user.c_str(),
                              settings_.password.empty() ? nullptr : settings_.password.c_str());
  mosquitto_will_set(mosq, topicName(prefix_, PublishTopic::Status).c_str(), 7, "offline", Qos,
                     true);
  if (settings_.tls) {
    const char* caFile = settings_.caFile.empty() ? nullptr : settings_.caFile.c_str();
    // The library says no more than "invalid arguments" of a file it cannot read.
    if (caFile && ::access(caFile, R_OK) != 0) {
      outcome = {false, PublishFault::CaFile, std::strerror(errno)};
      return false;
    }
    const int rc = mosquitto_tls_set(mosq, caFile, caFile ? nullptr : "/etc/ssl/certs", nullptr,
                                     nullptr, nullptr);
    if (rc != MOSQ_ERR_SUCCESS) {
      outcome = {false, PublishFault::Certificate,
                 settings_.caFile + ": " + mosquitto_strerror(rc)};
      return false;
    }
  }
  return true;
}

void PublishRun::serve(mosquitto* mosq) {
  bool connected = false;
  while (!over_) {
    if (stopping()) {
      if (connected) {
        publishStatus(mosq, prefix_, "offline");
        mosquitto_disconnect(mosq);
      }
      return;
    }
    if (!connected && outcome_.connected) {
      connected = true;
      publishStatus(mosq, prefix_, "online");
      report({PublishStatus::State::Connected, PublishFault::None, 0, {}});
    }
    if (connected) sendPending(mosq);
    pollfd fds[2] = {{mosquitto_socket(mosq), POLLIN, 0}, {wake_, POLLIN, 0}};
    if (mosquitto_want_write(mosq)) fds[0].events |= POLLOUT;
    poll(fds, 2, LoopMs);
    if (fds[1].revents & POLLIN) {
      std::uint64_t count = 0;
      [[maybe_unused]] const auto got = read(wake_, &count, sizeof count);
    }
    int rc = mosquitto_loop_read(mosq, 1);
    if (rc == MOSQ_ERR_SUCCESS && (fds[0].revents & POLLOUT)) rc = mosquitto_loop_write(mosq, 1);
    if (rc == MOSQ_ERR_SUCCESS) rc = mosquitto_loop_misc(mosq);
    if (rc != MOSQ_ERR_SUCCESS && !over_) {
      if (rc == MOSQ_ERR_TLS || (settings_.tls && !outcome_.connected))
        fail(PublishFault::Certificate, lastError_.empty() ? mosquitto_strerror(rc) : lastError_);
      else
        fail(PublishFault::Unreachable, mosquitto_strerror(rc));
    }
  }
}

void PublishRun::sendPending(mosquitto* mosq) {
  std::lock_guard lock(shared_->mutex);
  while (inFlight_.size() < Window) {
    const std::optional<QueuedMessage> message = shared_->queue.takeNext();
    if (!message) return;
    int mid = 0;
    const std::string topic = topicName(prefix_, message->topic);
    mosquitto_publish(mosq, &mid, topic.c_str(), static_cast<int>(message->payload.size()),
                      message->payload.data(), Qos, false);
    inFlight_[mid] = message->id;
  }
}

void PublishRun::fail(PublishFault fault, std::string detail) {
  over_ = true;
  outcome_.fault = fault;
  outcome_.detail = std::move(detail);
}

void PublishRun::onConnect(mosquitto*, void* self, int rc) {
  auto* run = static_cast<PublishRun*>(self);
  if (rc == 0) {
    run->outcome_.connected = true;
    return;
  }
  const bool login = rc == 4 || rc == 5;  // bad user name or password; not authorised
  run->fail(login ? PublishFault::Login : PublishFault::Unreachable, mosquitto_connack_string(rc));
}

void PublishRun::onPublish(mosquitto*, void* self, int mid) {
  auto* run = static_cast<PublishRun*>(self);
  const auto found = run->inFlight_.find(mid);
  if (found == run->inFlight_.end()) return;  // the status
  std::lock_guard lock(run->shared_->mutex);
  run->shared_->queue.acknowledged(found->second);
  ++run->shared_->acknowledged;
  run->inFlight_.erase(found);
}

void PublishRun::onDisconnect(mosquitto*, void* self, int rc) {
  auto* run = static_cast<PublishRun*>(self);
  if (!run->over_) run->fail(PublishFault::Unreachable, mosquitto_strerror(rc));
}

void PublishRun::onLog(mosquitto*, void* self, int level, const char* text) {
  if (level == MOSQ_LOG_ERR) static_cast<PublishRun*>(self)->lastError_ = text;
}

MqttPublisher::MqttPublisher(QObject* parent)
    : QObject(parent), shared_(std::make_shared<PublishShared>()) {
  static const int initialised = mosquitto_lib_init();
  (void)initialised;
}

MqttPublisher::~MqttPublisher() {
  stop();
}

void MqttPublisher::configure(const PublishSettings& settings, const std::string& topicPrefix) {
  stop();
  if (!settings.enabled || settings.host.empty()) {
    take({});
    return;
  }
  run_ = std::make_shared<PublishRun>(
      shared_, settings, topicPrefix, [this](const PublishStatus& status) {
        QMetaObject::invokeMethod(
            this, [this, status] { take(status); }, Qt::QueuedConnection);
      });
  std::thread([run = run_] { run->main(); }).detach();
}

void MqttPublisher::stop() {
  if (!run_) return;
  run_->requestStop();
  // A thread still in a slow name lookup ends by itself later; it holds what it uses.
  run_->waitEnded();
  run_.reset();
}

void MqttPublisher::readingRecorded(const JournalRow& row, bool alarm) {
  if (!run_) return;
  const std::string json = readingJson(row);
  {
    std::lock_guard lock(shared_->mutex);
    shared_->queue.pushReading(json, alarm);
  }
  run_->wake();
}

std::uint64_t MqttPublisher::acknowledged() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->acknowledged;
}

std::size_t MqttPublisher::waiting() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->queue.size();
}

std::string MqttPublisher::hostName() {
  return QSysInfo::machineHostName().toStdString();
}

void MqttPublisher::take(const PublishStatus& status) {
  if (status.state == PublishStatus::State::Connected) reports_.connected();
  status_ = status;
  emit statusChanged();
  if (status.state == PublishStatus::State::Waiting && reports_.shouldReport(status.fault))
    emit faultOccurred(status.fault, QString::fromStdString(status.detail));
}

}  // namespace kelvor
