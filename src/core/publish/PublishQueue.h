// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace kelvor {

// The topics below the prefix that a message goes to.
enum class PublishTopic { Reading, Alarm, Dropped, Status };
// "<prefix>/reading", "<prefix>/alarm", "<prefix>/dropped", "<prefix>/status".
std::string topicName(const std::string& prefix, PublishTopic topic);

struct QueuedMessage {
  std::uint64_t id = 0;
  std::string prefix;  // of the topics when it was queued: a later change does not move it
  PublishTopic topic = PublishTopic::Reading;
  std::string payload;
};

// The messages waiting for the broker, oldest first. A message is taken for sending in order
// and leaves the queue only when the broker has acknowledged it; a lost connection puts every
// message in flight back to be sent again, as does a message the sender could not take. Beyond
// the capacity the oldest unsent message is dropped; the number dropped goes out once, as a
// message of its own, where they were.
class PublishQueue {
 public:
  // Four hours of one reading a second, or two of alarm readings (each goes out twice).
  static constexpr std::size_t DefaultCapacity = 4 * 3600;

  explicit PublishQueue(std::size_t capacity = DefaultCapacity) : capacity_(capacity) {}

  void push(const std::string& prefix, PublishTopic topic, std::string payload);
  // A reading's JSON, and once more for the alarm topic when it met the alarm condition.
  void pushReading(const std::string& prefix, const std::string& json, bool alarm);
  // The next message to send, now in flight; nothing when every message is in flight.
  std::optional<QueuedMessage> takeNext();
  void acknowledged(std::uint64_t id);
  // The message last taken was not sent after all: it is the next one again.
  void putBack(std::uint64_t id);
  void connectionLost() { inFlight_ = 0; }

  std::size_t size() const { return messages_.size(); }
  std::size_t inFlight() const { return inFlight_; }
  std::uint64_t droppedTotal() const { return droppedTotal_; }

 private:
  std::size_t capacity_;
  std::deque<QueuedMessage> messages_;
  std::size_t inFlight_ = 0;  // the first ones in the queue
  std::uint64_t nextId_ = 1;
  std::uint64_t droppedUntold_ = 0;
  std::uint64_t droppedTotal_ = 0;
};

}  // namespace kelvor
