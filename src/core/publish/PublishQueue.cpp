// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/publish/PublishQueue.h"

#include <algorithm>
#include <iterator>

namespace kelvor {

std::string topicName(const std::string& prefix, PublishTopic topic) {
  const char* const names[] = {"/reading", "/alarm", "/dropped", "/status"};
  return prefix + names[static_cast<int>(topic)];
}

void PublishQueue::pushReading(const std::string& prefix, const std::string& json, bool alarm) {
  push(prefix, PublishTopic::Reading, json);
  if (alarm) push(prefix, PublishTopic::Alarm, json);
}

void PublishQueue::push(const std::string& prefix, PublishTopic topic, std::string payload) {
  if (messages_.size() >= capacity_ && messages_.size() > inFlight_) {
    messages_.erase(messages_.begin() + static_cast<std::ptrdiff_t>(inFlight_));
    ++droppedUntold_;
    ++droppedTotal_;
  }
  messages_.push_back({nextId_++, prefix, topic, std::move(payload)});
}

std::optional<QueuedMessage> PublishQueue::takeNext() {
  if (droppedUntold_ > 0 && inFlight_ < messages_.size()) {
    const auto at = messages_.begin() + static_cast<std::ptrdiff_t>(inFlight_);
    messages_.insert(at, {nextId_++, at->prefix, PublishTopic::Dropped,
                          "{\"dropped\":" + std::to_string(droppedUntold_) + "}"});
    droppedUntold_ = 0;
  }
  if (inFlight_ >= messages_.size()) return std::nullopt;
  return messages_[inFlight_++];
}

void PublishQueue::acknowledged(std::uint64_t id) {
  const auto end = messages_.begin() + static_cast<std::ptrdiff_t>(inFlight_);
  const auto found =
      std::find_if(messages_.begin(), end, [id](const QueuedMessage& m) { return m.id == id; });
  if (found == end) return;
  messages_.erase(found);
  --inFlight_;
}

void PublishQueue::putBack(std::uint64_t id) {
  if (inFlight_ > 0 && messages_[inFlight_ - 1].id == id) --inFlight_;
}

}  // namespace kelvor
