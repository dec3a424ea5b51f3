// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MqttPublisher.h"

#include <gtest/gtest.h>
#include <mosquitto.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <atomic>

#include "support/MqttBroker.h"

namespace kelvor {
namespace {

using testing::MqttBroker;

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
  for (int i = 1; i <= 5; ++i) {
    JournalRow row;
    row.value = static_cast<float>(i);
    publisher.readingRecorded(row, i == 3);
  }
  // "<topic><value>" of each message the subscriber has received so far.
  const auto received = [&broker] {
    QStringList values;
    for (const QString& message :
         broker.received().filter(QRegularExpression("^t/(reading|alarm)")))
      values << message.section(' ', 0, 0).section('/', 1) +
                    message.section("\"value\":", 1, 1).left(1);
    return values;
  };
  QElapsedTimer elapsed;
  elapsed.start();
  while (received().size() < 6 && elapsed.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(received().join(' '), "reading1 reading2 reading3 alarm3 reading4 reading5");
  EXPECT_EQ(calls, 12);
}

}  // namespace
}  // namespace kelvor
