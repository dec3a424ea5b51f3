// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MqttPublisher.h"

#include "core/calc/Calculation.h"
#include "platform/CalculationPublishers.h"

#include <gtest/gtest.h>
#include <mosquitto.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <atomic>
#include <functional>
#include <vector>

#include "support/MqttBroker.h"

namespace kelvor {
namespace {

using testing::MqttBroker;

void processEventsUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!done() && elapsed.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A message the client library refuses (here every other one) stays queued and goes out on a
// later round: every reading arrives once, in order, the alarm one also on the alarm topic.
TEST(MqttPublisher, AMessageTheLibraryRefusesIsSentAgainLaterInOrderAndOnce) {
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  std::atomic<int> calls = 0;  // counted on the publishing thread
  MqttPublisher publisher(nullptr, [&calls](mosquitto* mosq, int* id, const std::string& topic,
                                            const std::string& payload) {
    return ++calls % 2 == 1 ? MOSQ_ERR_NOMEM : sendThroughLibrary(mosq, id, topic, payload);
  });
  publisher.configure(
      {true, "127.0.0.1", broker.port(), MqttBroker::User, MqttBroker::Password, false, "", ""},
      "t");
  JournalRow row;
  for (int i = 1; i <= 5; ++i)
    row.value = static_cast<float>(i), publisher.readingRecorded(row, i == 3);
  // "<topic><value>" of each message the subscriber has received so far.
  const auto received = [&broker] {
    QStringList values;
    for (const QString& message :
         broker.received().filter(QRegularExpression("^t/(reading|alarm)")))
      values << message.section(' ', 0, 0).section('/', 1) +
                    message.section("\"value\":", 1, 1).left(1);
    return values;
  };
  processEventsUntil([&] { return received().size() >= 6; }, 10000);
  EXPECT_EQ(received().join(' '), "reading1 reading2 reading3 alarm3 reading4 reading5");
  EXPECT_EQ(calls, 12);
}

// Each calculated channel's rows go under its own topic, a meter's row to none of them; with
// a wrong login the publishers, sharing their reports, tell the fault once between them.
TEST(MqttPublisher, CalculatedChannelsArePublishedEachUnderItsTopicAndAFaultIsToldOnce) {
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  const auto product = parseCalculation("P=1*1").calculation;
  for (const char* password : {"wrong", MqttBroker::Password}) {
    FaultReports reports;
    CalculationPublishers publishers({{true, {}}, {true, product}, {true, product}});
    publishers.tellFaultsWith(reports);
    int faults = 0;
    QObject::connect(&publishers, &CalculationPublishers::faultOccurred, [&] { ++faults; });
    publishers.configure(
        {true, "127.0.0.1", broker.port(), MqttBroker::User, password, false, "", "t"}, "lab");
    std::vector<JournalRow> rows(3);
    for (int i = 0; i < 3; ++i) rows[i].channel = i + 1, rows[i].value = static_cast<float>(i + 1);
    publishers.calculationsRecorded(rows);
    const auto readings = [&] { return broker.received().filter("/reading ").size(); };
    processEventsUntil([&] { return readings() == 2 && !publishers.delivering(); }, 3000);
    EXPECT_EQ(faults, password == MqttBroker::Password ? 0 : 1);
  }
  for (const char* topic : {"t/calc2/reading ", "t/calc3/reading "})
    EXPECT_EQ(broker.received().filter(topic).size(), 1) << topic;
  EXPECT_EQ(broker.received().filter("/reading ").size(), 2);
}

}  // namespace
}  // namespace kelvor
