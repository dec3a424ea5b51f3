// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/journal/JournalFormat.h"
#include "core/record/EventQueue.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// What the live page shows, handed from the recorder's thread to the web server's threads.
// The recorder only ever adds to it under a short lock: a slow page client loses its own
// oldest events, it never holds up a tick.
class LiveFeed {
 public:
  static constexpr std::size_t ClientEvents = 256;  // waiting events a client may have
  static constexpr int PlotSlots = 4000;  // samples a channel keeps; every other one when full

  struct Client {
    EventQueue events{ClientEvents};
  };

  explicit LiveFeed(char decimalSeparator) : separator_(decimalSeparator) {}

  // The recorder's side. A journalled reading: an event of its MQTT JSON and a plot sample.
  void reading(const JournalRow& row);
  // Once a tick: the recording's state as JSON, an event of its own ("state").
  void state(const std::string& json);
  // That JSON: each meter's state text, the start ("" before it), the running time and the
  // first alarm's text ("" without one).
  static std::string stateJson(const std::vector<std::string>& meters, const std::string& start,
                               const std::string& running, const std::string& firstAlarm);
  // The journals of the run, by file name, with their paths.
  void setJournals(std::map<std::string, std::string> journals);
  // The server ends: every waiting client ends its stream.
  void close();

  // The server's side. A new event stream, which first gets every channel's latest reading and
  // the latest state.
  std::shared_ptr<Client> subscribe();
  void unsubscribe(const std::shared_ptr<Client>& client);
  // The client's events, waiting for them up to `wait` (empty when none came); nothing once
  // the feed is closed.
  std::optional<std::string> next(Client& client, std::chrono::milliseconds wait);
  TraceStore traces() const;
  // Each channel's latest reading as the console writes it ("0.7512 V", "OL"), with its mode.
  struct Latest {
    int channel = 1;
    std::string reading;
    std::string mode;
  };
  std::vector<Latest> latest() const;
  std::vector<std::string> journalNames() const;
  std::string journalPath(const std::string& name) const;  // empty: none of that name

 private:
  void publish(const std::string& event);  // locked
  void addSample(const JournalRow& row);   // locked

  mutable std::mutex mutex_;
  std::condition_variable woken_;
  std::vector<std::shared_ptr<Client>> clients_;
  char separator_;
  std::map<int, std::string> latest_;  // each channel's latest reading event
  std::map<int, Latest> latestRows_;
  std::string state_;  // the latest state event
  std::map<std::string, std::string> journals_;
  TraceStore traces_{PlotSlots};
  bool closed_ = false;
};

}  // namespace kelvor
