// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "core/publish/PublishQueue.h"
#include "core/publish/Publishing.h"

struct mosquitto;

namespace kelvor {

// The messages waiting for the broker, shared by the recording's thread and the publishing one.
struct PublishShared {
  std::mutex mutex;
  PublishQueue queue;
  std::uint64_t acknowledged = 0;
};

// Hands one message to the client library (QoS 1, not retained) and gives its result; the
// library's own publish, or in a test one that refuses.
using SendMessage =
    std::function<int(mosquitto*, int* id, const std::string& topic, const std::string& payload)>;
int sendThroughLibrary(mosquitto* mosq, int* id, const std::string& topic,
                       const std::string& payload);

// One connection to the broker with one set of settings: connects without blocking, keeps
// the queue's messages flowing while connected, and ends at a failure or when interrupted.
// Every step waits at most a short time, so an interruption is heard at once.
class BrokerConnection {
 public:
  struct Outcome {
    bool connected = false;
    PublishFault fault = PublishFault::Unreachable;
    std::string detail;
  };
  using Interrupted = std::function<bool()>;
  using Report = std::function<void(const PublishStatus&)>;

  BrokerConnection(PublishShared& shared, const PublishSettings& settings,
                   const std::string& prefix, const SendMessage& send, int wakeFd)
      : shared_(shared), settings_(settings), prefix_(prefix), send_(send), wake_(wakeFd) {}

  // `interrupted` ends it (with a clean goodbye when connected); `report` hears "connected".
  Outcome run(const Interrupted& interrupted, const Report& report);

 private:
  bool setUp(mosquitto* mosq);
  bool connect(mosquitto* mosq, const Interrupted& interrupted);
  void serve(mosquitto* mosq, const Interrupted& interrupted, const Report& report);
  void exchange(mosquitto* mosq);
  void sendPending(mosquitto* mosq);
  void lost(int rc, int error);
  void fail(PublishFault fault, std::string detail);

  static void onConnect(mosquitto*, void* self, int rc);
  static void onPublish(mosquitto*, void* self, int mid);
  static void onDisconnect(mosquitto*, void* self, int rc);
  static void onLog(mosquitto*, void* self, int level, const char* text);

  PublishShared& shared_;
  const PublishSettings& settings_;
  const std::string& prefix_;
  const SendMessage& send_;
  const int wake_;
  Outcome outcome_;
  bool over_ = false;
  std::map<int, std::uint64_t> inFlight_;  // message id of the library -> of the queue
  std::string lastError_;
};

}  // namespace kelvor
