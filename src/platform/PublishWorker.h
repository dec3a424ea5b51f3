// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/publish/Publishing.h"
#include "platform/BrokerConnection.h"

namespace kelvor {

// The one thread that talks to the broker, for the publisher's whole life. New settings (and
// the end) reach it as a message; it connects, publishes the shared queue and after a failure
// tries again with a growing delay. Every wait of its own is short or ends at a message, so
// the destructor joins it at once.
class PublishWorker {
 public:
  using Report = std::function<void(const PublishStatus&)>;

  PublishWorker(PublishShared& shared, SendMessage send, Report report);
  ~PublishWorker();
  PublishWorker(const PublishWorker&) = delete;
  PublishWorker& operator=(const PublishWorker&) = delete;

  // Publishes with these settings from now on; not enabled: stops publishing.
  void configure(const PublishSettings& settings, const std::string& topicPrefix);
  // New messages are in the queue.
  void wake() const;

 private:
  struct Order {
    PublishSettings settings;
    std::string prefix;
  };
  void main();
  // Waits for the next order; nothing once the worker is to end.
  std::optional<Order> nextOrder();
  void publishWith(const Order& order);
  bool interrupted();

  PublishShared& shared_;
  const SendMessage send_;
  const Report report_;
  const int wake_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<Order> next_;
  bool ending_ = false;
  std::thread thread_;
};

}  // namespace kelvor
