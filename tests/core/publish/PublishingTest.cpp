// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/InvalidValue.h"
#include "core/publish/PublishQueue.h"
#include "core/publish/Publishing.h"
#include "core/record/RecordTexts.h"
#include "core/text/ReadingNumber.h"

namespace kelvor {
namespace {

TEST(Publishing, AReadingIsOneJsonObjectWithNullForNoUsableValue) {
  constexpr WallTime Time{1796562187120, 3600};  // 2026-12-06 13:03:07.120 UTC
  const std::pair<JournalRow, std::string> cases[] = {
      {{Time, 12001, 3, 1.234f, "V", "DC", ReadingStatus::Ok, ""},
       R"({"time":"2026-12-06T13:03:07.120Z","elapsed":12.001,"channel":3,"value":1.234,"unit":"V","mode":"DC","status":"ok"})"},
      // Whatever the meter sent, printable ASCII as in the journal: valid UTF-8.
      {{Time, 7, 1, -0.5f, "\xB5\"V\\", "A\x01", ReadingStatus::Ok, ""},
       R"({"time":"2026-12-06T13:03:07.120Z","elapsed":0.007,"channel":1,"value":-0.5,"unit":"\\xB5\"V\\x5C","mode":"A\\x01","status":"ok"})"},
      {{Time, 86400000, 6, InvalidValue, "", "AC", ReadingStatus::Overload, ""},
       R"({"time":"2026-12-06T13:03:07.120Z","elapsed":86400.000,"channel":6,"value":null,"unit":"","mode":"AC","status":"overload"})"}};
  for (const auto& [row, json] : cases) EXPECT_EQ(readingJson(row), json);
}

// One form of a reading's number for the journal (English), the message and the console;
// nothing usable is an empty field, null and "?".
TEST(Publishing, AReadingsNumberReadsTheSameInJournalMessageAndConsole) {
  const std::pair<float, std::string> values[] = {
      {-0.001f, "-0.001"},  {123456.f, "123456"}, {-12345678.f, "-1.234568E+07"},
      {3.4e38f, "3.4E+38"}, {-1e-30f, "-1E-30"},  {InvalidValue, ""},
      {std::nanf(""), ""},  {-HUGE_VALF, ""}};
  for (const auto& [value, text] : values) {
    JournalRow row{{1796562187120, 3600}, 1000, 1, value, "V", "DC", ReadingStatus::Ok, ""};
    const std::string line = journalLine(row, journalStyleFor('.'));
    const std::string json = readingJson(row);
    const auto at = json.find("\"value\":") + 8;
    EXPECT_EQ(
        line.substr(53, line.find(",V,") - 53) + "|" + json.substr(at, json.find(",\"unit") - at) +
            "|" + RecordTexts::readingText(row, '.'),
        text + "|" + (text.empty() ? "null" : text) + "|" + (text.empty() ? "?" : text + " V"));
  }
  for (const auto& [ms, text] : std::vector<std::pair<std::int64_t, std::string>>{
           {0, "0,000"}, {999, "0,999"}, {-26050, "-26,050"}, {86400001, "86400,001"}})
    EXPECT_EQ(secondsText(ms, ','), text);
}

TEST(Publishing, BrokerAddressesAndSettingsRoundTrip) {
  // "text>host port", or "text>-" for none.
  for (const std::string c :
       {"broker>broker 0", "10.0.0.2:1884>10.0.0.2 1884", "[::1]:65535>::1 65535",
        "[fe80::1]>fe80::1 0", ">-", ":1883>-", "host:>-", "host:0>-", "host:65536>-",
        "host:18x3>-", "[::1>-", "[::1]1883>-", "host:99999999999>-"}) {
    const auto a = parseBrokerAddress(c.substr(0, c.find('>')));
    EXPECT_EQ(a ? a->host + " " + std::to_string(a->port) : "-", c.substr(c.find('>') + 1)) << c;
  }

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
  EXPECT_EQ(PublishSettings{}.effectivePort(), 1883);
  s.port = 0;
  EXPECT_EQ(s.effectivePort(), 8883);

  // Topic prefixes: a program's only source keeps the given topic, several each get their own.
  for (const auto& [topic, source, several, prefix] :
       std::vector<std::tuple<std::string, std::string, bool, std::string>>{
           {"", "COM3", false, "kelvor/lab/COM3"},
           {"", "COM3", true, "kelvor/lab/COM3"},
           {"", calculationSource(3), true, "kelvor/lab/calc3"},
           {"t/x", "COM3", false, "t/x"},
           {"t/x", "COM3", true, "t/x/COM3"},
           {"t/x", "tcp-10.0.0.2-4001", true, "t/x/tcp-10.0.0.2-4001"},
           {"t/x", calculationSource(12), true, "t/x/calc12"}}) {
    s.topic = topic;
    EXPECT_EQ(s.topicFor("lab", source, several), prefix) << topic << " " << source;
  }
}

TEST(Publishing, RetriesWaitLongerUpToAMinuteAndEachFaultIsToldOnce) {
  const std::map<int, int> seconds = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {6, 32}, {7, 60}, {1000, 60}};
  for (const auto& [failures, delay] : seconds) EXPECT_EQ(retryDelay(failures).count(), delay);

  FaultReports reports;
  const std::vector<std::pair<PublishFault, bool>> steps = {
      {PublishFault::Login, true},        {PublishFault::Login, false},
      {PublishFault::Unreachable, false}, {PublishFault::Certificate, true},
      {PublishFault::Login, false},       {PublishFault::None, false},
      {PublishFault::Refused, true},      {PublishFault::Refused, false}};
  for (const auto& [fault, told] : steps) EXPECT_EQ(reports.shouldReport(fault), told);
  reports.connected();
  EXPECT_TRUE(reports.shouldReport(PublishFault::Login));
  // Once connected, a refusal is an outage like an unreachable broker.
  EXPECT_FALSE(reports.shouldReport(PublishFault::Refused));
}

TEST(Publishing, TheQueueSendsInOrderKeepsUnacknowledgedAndDropsTheOldestUnsent) {
  PublishQueue q(3);
  // Takes up to n messages: "<id><topic R, A or D><payload> ... | <queued>/<in flight>".
  const auto send = [&q](int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
      if (auto m = q.takeNext())
        text += std::to_string(m->id) + m->prefix + "RAD"[static_cast<int>(m->topic)] + m->payload +
                " ";
    return text + "| " + std::to_string(q.size()) + "/" + std::to_string(q.inFlight());
  };
  q.pushReading("o", "a", true);  // also on the alarm topic
  EXPECT_EQ(send(1), "1oRa | 2/1");
  q.putBack(1);  // the sender could not take it: next again
  q.putBack(7);  // not the last one taken: nothing
  EXPECT_EQ(send(1), "1oRa | 2/1");
  q.connectionLost();  // sent again, first
  EXPECT_EQ(send(5), "1oRa 2oAa | 2/2");
  q.acknowledged(2);
  q.acknowledged(7);  // unknown: nothing
  EXPECT_EQ(send(0), "| 1/1");
  for (const char* p : {"c", "d", "e", "f"})
    q.push(*p < 'e' ? "o" : "n", PublishTopic::Reading, p);  // c, d dropped
  EXPECT_EQ(q.droppedTotal(), 2u);
  q.acknowledged(1);
  EXPECT_EQ(send(5), "7nD{\"dropped\":2} 5nRe 6nRf | 3/3");
  q.connectionLost();  // the count is told once, and sent again only with the rest
  EXPECT_EQ(send(5), "7nD{\"dropped\":2} 5nRe 6nRf | 3/3");
  EXPECT_EQ(topicName("p", PublishTopic::Reading) + topicName("", PublishTopic::Alarm) +
                topicName("", PublishTopic::Dropped) + topicName("", PublishTopic::Status),
            "p/reading/alarm/dropped/status");
}

}  // namespace
}  // namespace kelvor
