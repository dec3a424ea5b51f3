// Readings published to a real broker while the window records from the simulator.
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <algorithm>

#include "e2e/E2eSupport.h"
#include "support/MqttBroker.h"

namespace kelvor::e2e {
namespace {

using testing::MqttBroker;

std::map<QString, QString> publishSettings(int port, const QString& password) {
  return {{"MqttEnabled", "1"},   {"MqttHost", "127.0.0.1"},  {"MqttPort", QString::number(port)},
          {"MqttUser", "kelvor"}, {"MqttPassword", password}, {"MqttTopic", "lab/dmm"}};
}

// "<utc> <value>" of every row of the open journal.
QStringList journalRows(const TestHome& home) {
  const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
  const QStringList parts = folder.entryList({"*.part"}, QDir::Files);
  if (parts.size() != 1) return {};
  QStringList rows;
  for (const QString& line : QString::fromUtf8(contentsOf(folder.filePath(parts[0])))
                                 .split("\r\n", Qt::SkipEmptyParts)
                                 .mid(1)) {
    const QStringList fields = line.split(';');
    rows << fields.value(1) + ' ' + QString::number(fields.value(4).replace(',', '.').toDouble());
  }
  return rows;
}

// "<time> <value>" of every reading published so far.
QStringList publishedRows(MqttBroker& broker) {
  QStringList rows;
  for (const QString& message : broker.received().filter(QRegularExpression("^lab/dmm/reading "))) {
    const QJsonObject json = QJsonDocument::fromJson(message.section(' ', 1).toUtf8()).object();
    rows << json["time"].toString() + ' ' + QString::number(json["value"].toDouble());
  }
  return rows;
}

// The longest a request to the window took, asked every 10 ms for this span.
std::chrono::milliseconds longestStall(const TestHome& home, std::chrono::seconds span) {
  QLocalSocket probe;
  probe.connectToServer(home.file(QStringLiteral("probe.sock")));
  probe.waitForConnected(1000);
  auto longest = std::chrono::steady_clock::duration::zero();
  for (const auto end = std::chrono::steady_clock::now() + span;
       std::chrono::steady_clock::now() < end; QThread::msleep(10)) {
    const auto start = std::chrono::steady_clock::now();
    probe.write("checked chkActive\n");
    while (!probe.canReadLine() && probe.waitForReadyRead(5000)) {
    }
    probe.readAll();
    longest = std::max(longest, std::chrono::steady_clock::now() - start);
  }
  return std::chrono::duration_cast<std::chrono::milliseconds>(longest);
}

TEST(PublishE2e, EveryReadingIsPublishedOnceInOrderAlsoAfterTheBrokerWasAway) {
  MqttBroker broker;
  if (broker.unavailable()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  TestHome home;
  home.writeSettings(publishSettings(broker.port(), MqttBroker::Password));
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(app.ok(QStringLiteral("click mnuPublish")));
  EXPECT_TRUE(waitUntil(
      [&] {
        return app.text("lblPublishState") ==
               QString("Verbunden mit 127.0.0.1:%1").arg(broker.port());
      },
      10s));
  EXPECT_TRUE(app.dismiss());
  ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));
  ASSERT_TRUE(waitUntil([&] { return publishedRows(broker).size() >= 3; }, 20s));

  broker.stop();
  const std::chrono::milliseconds stall = longestStall(home, 20s);
  const qsizetype outage = journalRows(home).size();
  ASSERT_TRUE(broker.start());
  EXPECT_TRUE(waitUntil([&] { return publishedRows(broker).size() > outage; }, 60s));
  ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));  // drawing off: the journal stands
  waitUntil([&] { return publishedRows(broker).size() >= journalRows(home).size(); }, 10s);
  const QStringList journal = journalRows(home);
  EXPECT_GE(journal.size(), outage + 1);
  EXPECT_EQ(publishedRows(broker), journal);
  EXPECT_LT(stall.count(), 50);
  RecordProperty("LongestStallMs", static_cast<int>(stall.count()));
}

TEST(PublishE2e, AWrongPasswordOrCertificateIsToldOnceAndTheRecordingGoesOn) {
  MqttBroker broker;
  if (broker.unavailable()) GTEST_SKIP() << broker.problem().toStdString();
  std::map<QString, QString> badCertificate =
      publishSettings(broker.tlsPort(), MqttBroker::Password);
  badCertificate.insert({{"MqttTls", "1"}, {"MqttCaFile", broker.otherCaFile()}});
  const std::pair<std::map<QString, QString>, QString> cases[] = {
      {publishSettings(broker.port(), "wrong"),
       QString("Kelvor|Veröffentlichen: Der Broker 127.0.0.1:%1 hat die Anmeldung abgelehnt")
           .arg(broker.port())},
      {badCertificate,
       QString("Kelvor|Veröffentlichen: Das Zertifikat des Brokers 127.0.0.1:%1 wurde nicht")
           .arg(broker.tlsPort())}};
  for (const auto& [settings, message] : cases) {
    TestHome home;
    home.writeSettings(settings);
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
    KelvorApp app(home);
    ASSERT_TRUE(app.connected());
    EXPECT_TRUE(app.awaitModal(message).startsWith(message)) << app.modal().toStdString();
    EXPECT_TRUE(app.dismiss());
    ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));
    // Five readings: two more failed attempts meanwhile, and no second message.
    EXPECT_TRUE(waitUntil([&] { return journalRows(home).size() >= 5; }, 20s));
    EXPECT_EQ(app.modal(), "");
  }
}

}  // namespace
}  // namespace kelvor::e2e
