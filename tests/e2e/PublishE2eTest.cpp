// SPDX-License-Identifier: GPL-3.0-or-later
// Readings published to a real broker while the window records from the simulator.
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <algorithm>
#include <tuple>

#include "e2e/E2eSupport.h"
#include "support/MqttBroker.h"

namespace kelvor::e2e {
namespace {

using testing::MqttBroker;
using Clock = std::chrono::steady_clock;

// Publishing on, to this broker port under "lab/dmm"; `more` adds or replaces settings.
void publishTo(const TestHome& home, int port, const QString& password,
               std::map<QString, QString> more = {}) {
  more.insert({{"MqttEnabled", "1"},
               {"MqttHost", "127.0.0.1"},
               {"MqttTopic", "lab/dmm"},
               {"MqttPort", QString::number(port)},
               {"MqttUser", MqttBroker::User},
               {"MqttPassword", password}});
  home.writeSettings(more);
}

// "<utc> <value>" of every row of a journal, by default the window's open German one.
QStringList journalRows(const TestHome& home, QString path = {}, QChar separator = ';') {
  const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
  if (path.isEmpty()) path = folder.filePath(folder.entryList({"*.part"}, QDir::Files).value(0));
  QStringList rows;
  for (const QString& line :
       QString::fromUtf8(contentsOf(path)).split("\r\n", Qt::SkipEmptyParts).mid(1)) {
    const QStringList fields = line.split(separator);
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
Clock::duration longestStall(const TestHome& home, std::chrono::seconds span) {
  QLocalSocket probe;
  probe.connectToServer(home.file(QStringLiteral("probe.sock")));
  auto longest = Clock::duration::zero();
  for (const auto end = Clock::now() + span; Clock::now() < end; QThread::msleep(10)) {
    const auto start = Clock::now();
    probe.write("checked chkActive\n");
    while (!probe.canReadLine())
      if (!probe.waitForReadyRead(5000)) return std::chrono::hours(1);
    probe.readAll();
    longest = std::max(longest, Clock::now() - start);
  }
  return longest;
}

TEST(PublishE2e, EveryReadingIsPublishedOnceInOrderAlsoAfterTheBrokerWasAway) {
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  TestHome home;
  publishTo(home, broker.tlsPort(), MqttBroker::Password,
            {{"MqttTls", "1"}, {"MqttCaFile", broker.caFile()}});
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
  KelvorApp app(home);
  ASSERT_TRUE(app.ok(QStringLiteral("click mnuPublish")));
  const QString connected = QString("Verbunden mit 127.0.0.1:%1").arg(broker.tlsPort());
  EXPECT_TRUE(waitUntil([&] { return app.text("lblPublishState") == connected; }, 10s));
  EXPECT_TRUE(app.dismiss());
  ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));
  ASSERT_TRUE(waitUntil([&] { return publishedRows(broker).size() >= 3; }, 20s));

  broker.stop();
  const auto stall = longestStall(home, 20s);
  const qsizetype outage = journalRows(home).size();
  ASSERT_TRUE(broker.start());
  EXPECT_TRUE(waitUntil([&] { return publishedRows(broker).size() > outage; }, 60s));
  ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));  // drawing off: the journal stands
  waitUntil([&] { return publishedRows(broker).size() >= journalRows(home).size(); }, 10s);
  EXPECT_GE(journalRows(home).size(), outage + 1);
  EXPECT_EQ(publishedRows(broker), journalRows(home));
  EXPECT_LT(stall, 50ms);
  EXPECT_TRUE(app.quit());  // online after each connection, offline at the end
  const auto statuses = [&] { return broker.received().filter("lab/dmm/status").join(','); };
  EXPECT_TRUE(waitUntil([&] { return statuses().endsWith("online,lab/dmm/status offline"); }, 5s));
}

TEST(PublishE2e, AWrongLoginHostOrCertificateIsToldOnceAndTheRecordingGoesOn) {
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.running());
  const QString tls = QString::number(broker.tlsPort());
  const std::pair<std::map<QString, QString>, QString> cases[] = {
      {{{"MqttPassword", "wrong"}},
       QString("Der Broker 127.0.0.1:%1 hat die Anmeldung abgelehnt").arg(broker.port())},
      {{{"MqttTls", "1"}, {"MqttCaFile", broker.otherCaFile()}, {"MqttPort", tls}},
       "Das Zertifikat des Brokers 127.0.0.1:" + tls + " wurde nicht anerkannt"},
      {{{"MqttHost", "no-such-host.invalid"}}, "Der Rechner no-such-host.invalid ist unbekannt."}};
  for (const auto& [settings, message] : cases) {
    TestHome home;
    publishTo(home, broker.port(), MqttBroker::Password, settings);
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
    KelvorApp app(home);
    const QString prefix = "Kelvor|Veröffentlichen: " + message;
    EXPECT_TRUE(app.awaitModal(prefix).startsWith(prefix)) << app.modal().toStdString();
    EXPECT_TRUE(app.dismiss());
    ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));
    // Five readings: two more failed attempts meanwhile, and no second message.
    EXPECT_TRUE(waitUntil([&] { return journalRows(home).size() >= 5; }, 20s));
    EXPECT_EQ(app.modal(), "");
  }
}

// kelvor-record publishes as the window does; a refused login or connection and an unreadable
// CA file are one line each and cost no reading.
TEST(PublishE2e, TheCommandLineRecorderPublishesEveryReadingOrSaysOnceWhyNot) {
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  const QString at = QString("127.0.0.1:%1").arg(broker.port()), password = MqttBroker::Password;
  for (const auto& [key, options, said] : std::vector<std::tuple<QString, QStringList, QString>>{
           {password, {"--mqtt", at}, ""},
           {"wrong", {"--mqtt", at}, "The broker " + at + " refused the login ("},
           {password,
            {"--mqtt", "127.0.0.1:1"},
            "The broker 127.0.0.1:1 refused the connection (Connection refused). Check the "
            "host and port.\n"},
           {password,
            {"--mqtt", at, "--mqtt-cafile", "/no/such/ca.pem"},
            "The CA file /no/such/ca.pem cannot be read (No such file or directory).\n"}}) {
    SCOPED_TRACE(said.toStdString());
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
    ASSERT_TRUE(sim.ready());
    QProcessEnvironment environment;
    environment.insert("KELVOR_MQTT_PASSWORD", key);
    const QString file = home.file("f.csv");
    RecordProcess recorder(
        home,
        QStringList{"--port", "COM1", "--count", "4", "--output", file, "--language", "en",
                    "--mqtt-topic", "lab/dmm", "--mqtt-user", MqttBroker::User} +
            options,
        environment);
    EXPECT_EQ(recorder.status(), 0);
    EXPECT_EQ(journalValues(contentsOf(file)).size(), 4u);
    const QString errors = QString::fromUtf8(recorder.process.readAllStandardError());
    EXPECT_TRUE(said.isEmpty()
                    ? errors.isEmpty()
                    : errors.startsWith("kelvor-record: MQTT: " + said) && errors.count('\n') == 1)
        << errors.toStdString();
    if (said.isEmpty()) {
      EXPECT_TRUE(
          waitUntil([&] { return publishedRows(broker) == journalRows(home, file, ','); }, 5s));
    }
  }
}

}  // namespace
}  // namespace kelvor::e2e
