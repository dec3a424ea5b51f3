// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace kelvor {

// The events waiting for one live page client. It never holds more than its limit: a client
// that reads too slowly loses its oldest events, so whoever adds one never waits for it.
class EventQueue {
 public:
  explicit EventQueue(std::size_t limit) : limit_(limit < 1 ? 1 : limit) {}

  void push(std::string event) {
    events_.push_back(std::move(event));
    while (events_.size() > limit_) {
      events_.pop_front();
      ++lost_;
    }
  }
  bool empty() const { return events_.empty(); }
  // Every waiting event, oldest first, and the queue empty.
  std::string takeAll() {
    std::string text;
    for (const std::string& event : events_) text += event;
    events_.clear();
    return text;
  }
  // How many events were dropped so far.
  std::size_t lost() const { return lost_; }

 private:
  std::size_t limit_;
  std::deque<std::string> events_;
  std::size_t lost_ = 0;
};

}  // namespace kelvor
