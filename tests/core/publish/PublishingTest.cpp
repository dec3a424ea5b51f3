#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/publish/PublishQueue.h"
#include "core/publish/Publishing.h"

namespace kelvor {
namespace {

TEST(Publishing, AReadingIsOneJsonObjectWithNullForNoUsableValue) {
  struct Case {
    float value;
    std::int64_t elapsedMs;
    std::string unit, mode;
    ReadingStatus status;
    std::string json;
  };
  const Case cases[] = {
      {1.234f, 12001, "V", "DC", ReadingStatus::Ok,
       R"({"time":"2026-12-06T13:03:07.120Z","elapsed":12.001,"channel":3,"value":1.234,)"
       R"("unit":"V","mode":"DC","status":"ok"})"},
      {-0.5f, 7, "m\"V\\", "A\x01", ReadingStatus::Ok,
       R"({"time":"2026-12-06T13:03:07.120Z","elapsed":0.007,"channel":3,"value":-0.5,)"
       R"("unit":"m\"V\\","mode":"A\u0001","status":"ok"})"},
      {InvalidValue, 86400000, "", "AC", ReadingStatus::Overload,
       R"({"time":"2026-12-06T13:03:07.120Z","elapsed":86400.000,"channel":3,"value":null,)"
       R"("unit":"","mode":"AC","status":"overload"})"},
  };
  for (const Case& c : cases) {
    JournalRow row;
    row.time = {1796562187120, 3600};
    row.elapsedMs = c.elapsedMs;
    row.channel = 3;
    row.value = c.value;
    row.unit = c.unit;
    row.mode = c.mode;
    row.status = c.status;
    EXPECT_EQ(readingJson(row), c.json);
  }
}

TEST(Publishing, BrokerAddressesAndSettingsRoundTrip) {
  const std::map<std::string, std::pair<std::string, int>> good = {
      {"broker", {"broker", 0}},
      {"10.0.0.2:1884", {"10.0.0.2", 1884}},
      {"[::1]:65535", {"::1", 65535}},
      {"[fe80::1]", {"fe80::1", 0}}};
  for (const auto& [text, address] : good) {
    const auto parsed = parseBrokerAddress(text);
    ASSERT_TRUE(parsed) << text;
    EXPECT_EQ(std::make_pair(parsed->host, parsed->port), address) << text;
  }
  for (const char* bad : {"", ":1883", "host:", "host:0", "host:65536", "host:18x3", "[::1",
                          "[::1]1883", "host:99999999999"})
    EXPECT_FALSE(parseBrokerAddress(bad)) << bad;

  PublishSettings s{true, "b", 1884, "u", "p;w=", true, "/ca.pem", "t/x"};
  for (const PublishSettings& written : {s, PublishSettings{}}) {
    std::map<std::string, std::string> store;
    for (const auto& [key, text] : written.texts()) store[key] = text;
    const PublishSettings back = PublishSettings::read([&](const std::string& key) {
      const auto found = store.find(key);
      return found == store.end() ? std::nullopt : std::optional(found->second);
    });
    EXPECT_EQ(std::tuple(back.enabled, back.tls, back.texts()),
              std::tuple(written.enabled, written.tls, written.texts()));
  }
  const PublishSettings none =
      PublishSettings::read([](const std::string&) { return std::nullopt; });
  EXPECT_FALSE(none.enabled);
  EXPECT_EQ(none.topicFor("lab", 3), "kelvor/lab/COM3");
  EXPECT_EQ(none.effectivePort(), 1883);
  s.port = 0;
  EXPECT_EQ(s.effectivePort(), 8883);
  EXPECT_EQ(s.topicFor("lab", 3), "t/x");
}

TEST(Publishing, RetriesWaitLongerUpToAMinuteAndEachFaultIsToldOnce) {
  const int seconds[] = {1, 1, 2, 4, 8, 16, 32, 60, 60, 60};
  for (int failures = 0; failures < 10; ++failures)
    EXPECT_EQ(retryDelay(failures).count(), seconds[failures]) << failures;
  EXPECT_EQ(retryDelay(1000).count(), 60);

  FaultReports reports;
  const std::vector<std::pair<PublishFault, bool>> steps = {
      {PublishFault::Login, true},        {PublishFault::Login, false},
      {PublishFault::Unreachable, false}, {PublishFault::Certificate, true},
      {PublishFault::Login, false},       {PublishFault::None, false}};
  for (const auto& [fault, told] : steps) EXPECT_EQ(reports.shouldReport(fault), told);
  reports.connected();
  EXPECT_TRUE(reports.shouldReport(PublishFault::Login));
}

// The messages just taken ("<id><payload>"), then the queue's size and how many are in flight.
std::string contents(const PublishQueue& q, const std::vector<QueuedMessage>& sent) {
  std::string text;
  for (const QueuedMessage& m : sent) text += std::to_string(m.id) + m.payload + " ";
  return text + "| " + std::to_string(q.size()) + "/" + std::to_string(q.inFlight());
}

TEST(Publishing, TheQueueSendsInOrderKeepsUnacknowledgedAndDropsTheOldestUnsent) {
  PublishQueue q(3);
  std::vector<QueuedMessage> sent;
  const auto send = [&](int n) {
    sent.clear();
    for (int i = 0; i < n; ++i)
      if (auto m = q.takeNext()) sent.push_back(*m);
  };
  q.push(PublishTopic::Reading, "a");
  q.push(PublishTopic::Alarm, "b");
  send(1);
  EXPECT_EQ(contents(q, sent), "1a | 2/1");
  q.connectionLost();  // a is sent again, first
  send(5);
  EXPECT_EQ(contents(q, sent), "1a 2b | 2/2");
  q.acknowledged(2);
  q.acknowledged(7);  // unknown: nothing
  EXPECT_EQ(contents(q, {}), "| 1/1");
  for (const char* p : {"c", "d", "e", "f"}) q.push(PublishTopic::Reading, p);  // c, d dropped
  EXPECT_EQ(q.droppedTotal(), 2u);
  q.acknowledged(1);
  send(5);
  EXPECT_EQ(contents(q, sent), "7{\"dropped\":2} 5e 6f | 3/3");
  EXPECT_EQ(sent[0].topic, PublishTopic::Dropped);
  q.connectionLost();
  send(5);  // the count is told once, and sent again only with the rest after a lost link
  EXPECT_EQ(contents(q, sent), "7{\"dropped\":2} 5e 6f | 3/3");
}

}  // namespace
}  // namespace kelvor
