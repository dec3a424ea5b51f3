// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BrokerConnection.h"

#include <mosquitto.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/HostLookup.h"

namespace kelvor {

namespace {
constexpr int Qos = 1;
constexpr int KeepAliveSeconds = 30;
constexpr std::size_t Window = 20;  // messages in flight at most
constexpr int LoopMs = 250;         // keep-alive and TLS housekeeping without traffic

void publishStatus(mosquitto* mosq, const std::string& prefix, const std::string& state) {
  mosquitto_publish(mosq, nullptr, topicName(prefix, PublishTopic::Status).c_str(),
                    static_cast<int>(state.size()), state.data(), Qos, true);
}
}  // namespace

int sendThroughLibrary(mosquitto* mosq, int* id, const std::string& topic,
                       const std::string& payload) {
  return mosquitto_publish(mosq, id, topic.c_str(), static_cast<int>(payload.size()),
                           payload.data(), Qos, false);
}

BrokerConnection::Outcome BrokerConnection::run(const Interrupted& interrupted,
                                                const Report& report) {
  const std::unique_ptr<mosquitto, void (*)(mosquitto*)> mosq(mosquitto_new(nullptr, true, this),
                                                              mosquitto_destroy);
  if (!mosq) return {false, PublishFault::Unreachable, std::strerror(errno)};
  if (setUp(mosq.get()) && connect(mosq.get(), interrupted)) serve(mosq.get(), interrupted, report);
  {
    std::lock_guard lock(shared_.mutex);
    shared_.queue.connectionLost();
  }
  inFlight_.clear();
  return outcome_;
}

bool BrokerConnection::setUp(mosquitto* mosq) {
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
  if (!settings_.tls) return true;
  const char* caFile = settings_.caFile.empty() ? nullptr : settings_.caFile.c_str();
  // The library says no more than "invalid arguments" of a file it cannot read.
  if (caFile && ::access(caFile, R_OK) != 0) {
    fail(PublishFault::CaFile, std::strerror(errno));
    return false;
  }
  const int rc = mosquitto_tls_set(mosq, caFile, caFile ? nullptr : "/etc/ssl/certs", nullptr,
                                   nullptr, nullptr);
  if (rc != MOSQ_ERR_SUCCESS)
    fail(PublishFault::Certificate, settings_.caFile + ": " + mosquitto_strerror(rc));
  return rc == MOSQ_ERR_SUCCESS;
}

bool BrokerConnection::connect(mosquitto* mosq, const Interrupted& interrupted) {
  // The library would look the name up itself, without a way to stop waiting for it.
  switch (lookUpHost(settings_.host, interrupted)) {
    case LookupResult::GivenUp:
      fail(PublishFault::Unreachable, {});
      return false;
    case LookupResult::Unknown:
      fail(PublishFault::UnknownHost, settings_.host);
      return false;
    case LookupResult::Found:
      break;
  }
  const int rc = mosquitto_connect_async(mosq, settings_.host.c_str(), settings_.effectivePort(),
                                         KeepAliveSeconds);
  const int error = errno;
  if (rc == MOSQ_ERR_SUCCESS) return true;
  if (rc == MOSQ_ERR_EAI)
    fail(PublishFault::UnknownHost, settings_.host);
  else if (rc == MOSQ_ERR_TLS)
    fail(PublishFault::Certificate, lastError_);
  else if (rc == MOSQ_ERR_ERRNO && error == ECONNREFUSED)
    fail(PublishFault::Refused, std::strerror(error));
  else
    fail(PublishFault::Unreachable,
         rc == MOSQ_ERR_ERRNO ? std::strerror(error) : mosquitto_strerror(rc));
  return false;
}

void BrokerConnection::serve(mosquitto* mosq, const Interrupted& interrupted,
                             const Report& report) {
  bool connected = false;
  while (!over_) {
    if (interrupted()) {
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
    exchange(mosq);
  }
}

// Waits for the socket, new messages or an interruption, then lets the library do its part.
void BrokerConnection::exchange(mosquitto* mosq) {
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
  if (rc != MOSQ_ERR_SUCCESS) lost(rc, errno);
}

void BrokerConnection::lost(int rc, int error) {
  if (over_) return;
  // A connection still being made learns of a refusal or a rejected certificate only now.
  if (rc == MOSQ_ERR_ERRNO && error == ECONNREFUSED && !outcome_.connected)
    fail(PublishFault::Refused, std::strerror(error));
  else if (rc == MOSQ_ERR_TLS || (settings_.tls && !outcome_.connected))
    fail(PublishFault::Certificate, lastError_.empty() ? mosquitto_strerror(rc) : lastError_);
  else
    fail(PublishFault::Unreachable,
         rc == MOSQ_ERR_ERRNO ? std::strerror(error) : mosquitto_strerror(rc));
}

void BrokerConnection::sendPending(mosquitto* mosq) {
  std::lock_guard lock(shared_.mutex);
  while (inFlight_.size() < Window) {
    const std::optional<QueuedMessage> message = shared_.queue.takeNext();
    if (!message) return;
    int mid = 0;
    if (send_(mosq, &mid, topicName(message->prefix, message->topic), message->payload) !=
        MOSQ_ERR_SUCCESS) {
      // Refused (out of memory, a full outgoing queue): sent again on the next round.
      shared_.queue.putBack(message->id);
      return;
    }
    inFlight_[mid] = message->id;
  }
}

void BrokerConnection::fail(PublishFault fault, std::string detail) {
  over_ = true;
  outcome_.fault = fault;
  outcome_.detail = std::move(detail);
}

void BrokerConnection::onConnect(mosquitto*, void* self, int rc) {
  auto* connection = static_cast<BrokerConnection*>(self);
  if (rc == 0) {
    connection->outcome_.connected = true;
    return;
  }
  const bool login = rc == 4 || rc == 5;  // bad user name or password; not authorised
  connection->fail(login ? PublishFault::Login : PublishFault::Unreachable,
                   mosquitto_connack_string(rc));
}

void BrokerConnection::onPublish(mosquitto*, void* self, int mid) {
  auto* connection = static_cast<BrokerConnection*>(self);
  const auto found = connection->inFlight_.find(mid);
  if (found == connection->inFlight_.end()) return;  // the status
  std::lock_guard lock(connection->shared_.mutex);
  connection->shared_.queue.acknowledged(found->second);
  ++connection->shared_.acknowledged;
  connection->inFlight_.erase(found);
}

void BrokerConnection::onDisconnect(mosquitto*, void* self, int rc) {
  static_cast<BrokerConnection*>(self)->lost(rc, errno);
}

void BrokerConnection::onLog(mosquitto*, void* self, int level, const char* text) {
  if (level == MOSQ_LOG_ERR) static_cast<BrokerConnection*>(self)->lastError_ = text;
}

}  // namespace kelvor
