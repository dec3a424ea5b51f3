#include "platform/MqttPublisher.h"

#include <gtest/gtest.h>

#include "support/MqttBroker.h"

namespace kelvor {
namespace {

using namespace std::chrono_literals;
using testing::MqttBroker;
using testing::waitFor;

PublishSettings settingsFor(const MqttBroker& broker, bool tls) {
  PublishSettings s;
  s.enabled = true;
  s.host = "127.0.0.1";
  s.port = tls ? broker.tlsPort() : broker.port();
  s.user = MqttBroker::User;
  s.password = MqttBroker::Password;
  s.tls = tls;
  s.caFile = tls ? broker.caFile().toStdString() : "";
  return s;
}

TEST(MqttPublisher, PublishesOverTlsAndTellsEachFaultOnceWhileItRetries) {
  MqttBroker broker;
  if (broker.unavailable()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  MqttPublisher publisher;
  publisher.configure(settingsFor(broker, true), "lab/m1");
  JournalRow row;
  row.value = 2.5f;
  row.status = ReadingStatus::Ok;
  publisher.readingRecorded(row, true);
  ASSERT_TRUE(waitFor([&] { return publisher.acknowledged() == 2; }, 10s));
  publisher.configure({}, "");  // off: says so before it goes
  const QString json = QString::fromStdString(readingJson(row));
  EXPECT_TRUE(waitFor([&] { return broker.received().size() == 5; }, 5s));
  EXPECT_EQ(broker.received().mid(1), QStringList({"lab/m1/status online", "lab/m1/reading " + json,
                                                   "lab/m1/alarm " + json}) +
                                          QStringList("lab/m1/status offline"));

  struct Case {
    PublishFault fault;
    std::function<void(PublishSettings&)> spoil;
  } const cases[] = {
      {PublishFault::Login, [](PublishSettings& s) { s.password = "wrong"; }},
      {PublishFault::Certificate,
       [&](PublishSettings& s) { s.caFile = broker.otherCaFile().toStdString(); }},
      {PublishFault::UnknownHost, [](PublishSettings& s) { s.host = "no-such-host.invalid"; }},
  };
  for (const Case& c : cases) {
    PublishSettings s = settingsFor(broker, true);
    c.spoil(s);
    MqttPublisher failing;
    std::vector<PublishFault> told;
    int failures = 0;
    QObject::connect(&failing, &MqttPublisher::faultOccurred,
                     [&](PublishFault fault, const QString&) { told.push_back(fault); });
    QObject::connect(&failing, &MqttPublisher::statusChanged, [&] {
      failures += failing.status().state == PublishStatus::State::Waiting ? 1 : 0;
    });
    failing.configure(s, "lab/m2");
    EXPECT_TRUE(waitFor([&] { return failures >= 3; }, 15s));
    EXPECT_EQ(told, std::vector<PublishFault>{c.fault}) << static_cast<int>(c.fault);
    EXPECT_EQ(failing.status().retrySeconds, 4);
  }
}

}  // namespace
}  // namespace kelvor
