// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PublishWorker.h"

#include <sys/eventfd.h>
#include <unistd.h>

namespace kelvor {

PublishWorker::PublishWorker(PublishShared& shared, SendMessage send, Report report)
    : shared_(shared),
      send_(std::move(send)),
      report_(std::move(report)),
      wake_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      thread_([this] { main(); }) {}

PublishWorker::~PublishWorker() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
    changed_.notify_all();
  }
  wake();
  thread_.join();
  close(wake_);
}

void PublishWorker::configure(const PublishSettings& settings, const std::string& topicPrefix) {
  {
    std::lock_guard lock(mutex_);
    next_ = Order{settings, topicPrefix};
    changed_.notify_all();
  }
  wake();
}

void PublishWorker::wake() const {
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = write(wake_, &one, sizeof one);
}

void PublishWorker::main() {
  while (const std::optional<Order> order = nextOrder()) {
    if (order->settings.enabled && !order->settings.host.empty())
      publishWith(*order);
    else
      report_({});
  }
}

std::optional<PublishWorker::Order> PublishWorker::nextOrder() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return ending_ || next_; });
  if (ending_) return std::nullopt;
  std::optional<Order> order;
  order.swap(next_);
  return order;
}

bool PublishWorker::interrupted() {
  std::lock_guard lock(mutex_);
  return ending_ || next_;
}

void PublishWorker::publishWith(const Order& order) {
  int failures = 0;
  while (!interrupted()) {
    report_({PublishStatus::State::Connecting, PublishFault::None, 0, {}});
    BrokerConnection connection(shared_, order.settings, order.prefix, send_, wake_);
    const BrokerConnection::Outcome outcome =
        connection.run([this] { return interrupted(); }, report_);
    if (interrupted()) return;
    failures = outcome.connected ? 1 : failures + 1;
    const auto delay = retryDelay(failures);
    report_({PublishStatus::State::Waiting, outcome.fault, static_cast<int>(delay.count()),
             outcome.detail});
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, delay, [this] { return ending_ || next_; });
  }
}

}  // namespace kelvor
