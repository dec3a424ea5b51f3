// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/LiveFeed.h"

#include <algorithm>
#include <cmath>

#include "core/publish/Publishing.h"
#include "core/record/RecordTexts.h"

namespace kelvor {

void LiveFeed::reading(const JournalRow& row) {
  const std::string event = "data: " + readingJson(row) + "\n\n";
  const std::lock_guard lock(mutex_);
  latest_[row.channel] = event;
  latestRows_[row.channel] = {row.channel, RecordTexts::readingText(row, separator_), row.mode};
  publish(event);
  addSample(row);
}

void LiveFeed::state(const std::string& json) {
  const std::lock_guard lock(mutex_);
  state_ = "event: state\ndata: " + json + "\n\n";
  publish(state_);
}

namespace {
std::string jsonText(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') json += '\\';
    if (static_cast<unsigned char>(c) >= 0x20) json += c;
  }
  return json + '"';
}
}  // namespace

std::string LiveFeed::stateJson(const std::vector<std::string>& meters, const std::string& start,
                                const std::string& running, const std::string& firstAlarm) {
  std::string list;
  for (const std::string& meter : meters) list += (list.empty() ? "" : ",") + jsonText(meter);
  return "{\"meters\":[" + list + "],\"start\":" + jsonText(start) +
         ",\"running\":" + jsonText(running) + ",\"firstAlarm\":" + jsonText(firstAlarm) + "}";
}

void LiveFeed::publish(const std::string& event) {
  for (const auto& client : clients_) client->events.push(event);
  woken_.notify_all();
}

// As the window's recording: samples at their seconds since the start; a full channel keeps
// every other one.
void LiveFeed::addSample(const JournalRow& row) {
  const int channel = row.channel - 1;
  if (channel < 0 || channel >= TraceStore::Channels || !std::isfinite(row.value) ||
      row.status != ReadingStatus::Ok)
    return;
  if (traces_.count(channel) == PlotSlots) traces_.keepEveryOther(channel);
  const int count = traces_.count(channel);
  traces_.setSample(channel, count + 1, row.value, static_cast<float>(row.elapsedMs) / 1000.0f);
  traces_.setCount(channel, count + 1);
  traces_.setUnit(channel, row.unit);
}

void LiveFeed::setJournals(std::map<std::string, std::string> journals) {
  const std::lock_guard lock(mutex_);
  journals_ = std::move(journals);
}

void LiveFeed::close() {
  const std::lock_guard lock(mutex_);
  closed_ = true;
  woken_.notify_all();
}

std::shared_ptr<LiveFeed::Client> LiveFeed::subscribe() {
  auto client = std::make_shared<Client>();
  const std::lock_guard lock(mutex_);
  for (const auto& [channel, event] : latest_) client->events.push(event);
  if (!state_.empty()) client->events.push(state_);
  clients_.push_back(client);
  return client;
}

void LiveFeed::unsubscribe(const std::shared_ptr<Client>& client) {
  const std::lock_guard lock(mutex_);
  clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

std::optional<std::string> LiveFeed::next(Client& client, std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  woken_.wait_for(lock, wait, [&] { return closed_ || !client.events.empty(); });
  if (closed_) return std::nullopt;
  return client.events.takeAll();
}

TraceStore LiveFeed::traces() const {
  const std::lock_guard lock(mutex_);
  return traces_;
}

std::vector<LiveFeed::Latest> LiveFeed::latest() const {
  const std::lock_guard lock(mutex_);
  std::vector<Latest> rows;
  for (const auto& [channel, row] : latestRows_) rows.push_back(row);
  return rows;
}

std::vector<std::string> LiveFeed::journalNames() const {
  const std::lock_guard lock(mutex_);
  std::vector<std::string> names;
  for (const auto& [name, path] : journals_) names.push_back(name);
  return names;
}

std::string LiveFeed::journalPath(const std::string& name) const {
  const std::lock_guard lock(mutex_);
  const auto found = journals_.find(name);
  return found == journals_.end() ? std::string() : found->second;
}

}  // namespace kelvor
