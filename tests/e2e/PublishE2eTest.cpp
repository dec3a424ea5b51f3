// SPDX-License-Identifier: GPL-3.0-or-later
// Readings published to a real broker while the window records from the simulator.
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
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
void publishTo(const TestHome& home, int port, const QString& password, const QString& more = {}) {
  home.writeSettingsText(QString("MqttEnabled=1 MqttHost=127.0.0.1 MqttTopic=lab/dmm MqttPort=%1 "
                                 "MqttUser=%2 MqttPassword=%3 %4")
                             .arg(QString::number(port), MqttBroker::User, password, more));
}

// "<utc> <value>" of every row of a journal, by default the window's open German one.
QStringList journalReadings(const TestHome& home, QString path = {}, QChar separator = ';') {
  const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
  if (path.isEmpty()) path = folder.filePath(folder.entryList({"*.part"}, QDir::Files).value(0));
  QStringList rows;
  for (QStringList fields : journalRows(contentsOf(path), separator))
    rows << fields.value(1) + ' ' + QString::number(fields.value(4).replace(',', '.').toDouble());
  return rows;
}

// "<time> <value>" of every reading published so far under this prefix.
QStringList publishedRows(MqttBroker& broker, const QString& prefix = "lab/dmm") {
  QStringList rows;
  for (const QString& message : broker.received()) {
    if (!message.startsWith(prefix + "/reading ")) continue;
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
            "MqttTls=1 MqttCaFile=" + broker.caFile());
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
  KelvorApp app(home);
  ASSERT_TRUE(app.ok(QStringLiteral("click mnuPublish")));
  const QString connected = QString("Verbunden mit 127.0.0.1:%1").arg(broker.tlsPort());
  EXPECT_TRUE(waitUntil([&] { return app.text("lblPublishState") == connected; }, 10s));
  ASSERT_TRUE(app.dismiss() && app.ok("click chkActive"));
  ASSERT_TRUE(waitUntil([&] { return publishedRows(broker).size() >= 3; }, 20s));

  broker.stop();
  const auto stall = longestStall(home, 20s);
  const qsizetype outage = journalReadings(home).size();
  ASSERT_TRUE(broker.start());
  EXPECT_TRUE(waitUntil([&] { return publishedRows(broker).size() > outage; }, 60s));
  ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));  // drawing off: the journal stands
  waitUntil([&] { return publishedRows(broker).size() >= journalReadings(home).size(); }, 10s);
  // The window never waits for the broker (a blocking connect takes seconds); a busy machine
  // may hold a request up for a moment.
  EXPECT_TRUE(journalReadings(home).size() > outage && stall < 1s)
      << std::chrono::duration_cast<std::chrono::milliseconds>(stall).count() << " ms";
  EXPECT_EQ(publishedRows(broker), journalReadings(home));
  EXPECT_TRUE(app.quit());  // online after each connection, offline at the end
  const auto statuses = [&] { return broker.received().filter("lab/dmm/status").join(','); };
  EXPECT_TRUE(waitUntil([&] { return statuses().endsWith("online,lab/dmm/status offline"); }, 5s))
      << statuses().toStdString();
}

// The window tells a fault in a message box once, and records meanwhile.
TEST(PublishE2e, AWrongLoginIsToldOnceAndTheRecordingGoesOn) {
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.running());
  TestHome home;
  publishTo(home, broker.port(), QStringLiteral("wrong"));
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
  KelvorApp app(home);
  const QString prefix = QString(
                             "Kelvor|Veröffentlichen: Der Broker 127.0.0.1:%1 hat die "
                             "Anmeldung abgelehnt")
                             .arg(broker.port());
  EXPECT_TRUE(app.awaitModal(prefix).startsWith(prefix)) << app.modal().toStdString();
  ASSERT_TRUE(app.dismiss() && app.ok("click chkActive"));
  // Five readings: two more failed attempts meanwhile, and no second message.
  EXPECT_TRUE(waitUntil([&] { return journalReadings(home).size() >= 5; }, 20s) &&
              app.modal() == "");
}

// The default topic names the port: after a change of port the readings go under the new one.
TEST(PublishE2e, AfterAPortChangeTheReadingsGoUnderTheNewPortsTopic) {
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  TestHome home;
  publishTo(home, broker.port(), MqttBroker::Password, "MqttTopic=");
  MeterSim first(home, {"--port", "1", "--values", "const:1.5"});
  MeterSim second(home, {"--port", "2", "--values", "const:2.5"});
  KelvorApp app(home);
  ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));
  const auto values = [&](const char* port) {
    const QString topic = "kelvor/" + QSysInfo::machineHostName() + "/" + port + "/reading ";
    QStringList found;
    for (const QString& message : broker.received())
      if (message.startsWith(topic)) found << message.section("\"value\":", 1).section(',', 0, 0);
    found.removeDuplicates();
    return found.join(' ');
  };
  ASSERT_TRUE(waitUntil([&] { return values("COM1") == "1.5"; }, 10s));
  ASSERT_TRUE(app.ok("click mnuFile2(4)") && app.awaitModal() == "COM-Port" &&
              app.value("select cboPorts COM2").startsWith("COM2 (") && app.ok("click cmdOK"));
  EXPECT_TRUE(waitUntil([&] { return values("COM2") == "2.5"; }, 10s) && values("COM1") == "1.5");
}

TEST(PublishE2e, ABrokerThatNeverAnswersDoesNotHoldUpClosingTheWindow) {
  // A listener whose queue of connections is full: a connect to it is never answered.
  QTcpServer silent;
  silent.setListenBacklogSize(0);
  silent.setMaxPendingConnections(0);
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  QTcpSocket filler;
  filler.connectToHost(QHostAddress::LocalHost, silent.serverPort());
  ASSERT_TRUE(filler.waitForConnected(5000));
  std::vector<long long> closing;  // ms, without publishing, then with
  for (const bool publishing : {false, true}) {
    TestHome home;
    if (publishing) publishTo(home, silent.serverPort(), MqttBroker::Password);
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
    KelvorApp app(home);
    ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));
    pause(1s);  // still connecting
    const auto start = Clock::now();
    EXPECT_TRUE(app.quit());
    closing.push_back(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
  }
  EXPECT_LT(closing[1] - closing[0], 500);
}

// kelvor-record publishes as the window does (through the same station), one meter under the
// topic given, several meters and a calculated channel each under a topic of its own below it; a
// refused login or connection, an unknown host, a certificate of another CA and an unreadable CA
// file are one line each and cost no reading.
TEST(PublishE2e, TheCommandLineRecorderPublishesEveryReadingOrSaysOnceWhyNot) {
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  const QString at = QString("127.0.0.1:%1").arg(broker.port()), password = MqttBroker::Password;
  const QString tls = QString("127.0.0.1:%1").arg(broker.tlsPort());
  for (const auto& [key, options, said] : std::vector<std::tuple<QString, QString, QString>>{
           {password, "--mqtt " + at, ""},
           {"wrong", "--mqtt " + at, "The broker " + at + " refused the login ("},
           {password, "--mqtt 127.0.0.1:1",
            "The broker 127.0.0.1:1 refused the connection (Connection refused). Check the host "
            "and port.\n"},
           {password, "--mqtt " + at + " --mqtt-cafile /no/such/ca.pem",
            "The CA file /no/such/ca.pem cannot be read (No such file or directory).\n"},
           {password, "--mqtt " + tls + " --mqtt-cafile " + broker.otherCaFile(),
            "The certificate of the broker " + tls + " was not accepted ("},
           {password, "--mqtt no-such-host.invalid",
            "The host no-such-host.invalid is unknown.\n"}}) {
    SCOPED_TRACE(said.toStdString());
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
    QProcessEnvironment environment;
    environment.insert("KELVOR_MQTT_PASSWORD", key);
    const QString file = home.file("f.csv");
    RecordProcess recorder(
        home,
        QStringList{"--port", "COM1", "--count", "4", "--output", file, "--language", "en",
                    "--mqtt-topic", "lab/dmm", "--mqtt-user", MqttBroker::User} +
            options.split(' '),
        environment);
    EXPECT_TRUE(recorder.status() == 0 && journalValues(contentsOf(file)).size() == 4u);
    const QString errors = QString::fromUtf8(recorder.process.readAllStandardError());
    EXPECT_TRUE(said.isEmpty()
                    ? errors.isEmpty()
                    : errors.startsWith("kelvor-record: MQTT: " + said) && errors.count('\n') == 1)
        << errors.toStdString();
    EXPECT_TRUE(
        !said.isEmpty() ||
        waitUntil([&] { return publishedRows(broker) == journalReadings(home, file, ','); }, 5s));
  }
  TestHome home;
  MeterSim volts(home, {"--port", "1", "--values", "const:12"});
  MeterSim amps(home, {"--port", "2", "--values", "ramp:1,1", "--unit", " A"});
  const QStringList before = publishedRows(broker);
  QProcessEnvironment environment;
  environment.insert("KELVOR_MQTT_PASSWORD", password);
  RecordProcess recorder(
      home,
      {"--port", "COM1", "--port", "COM2", "--calc", "W=1*2", "--count", "8", "--language", "en",
       "--mqtt", at, "--mqtt-topic", "lab/dmm", "--mqtt-user", MqttBroker::User},
      environment);
  ASSERT_EQ(recorder.status(), 0);
  EXPECT_EQ(recorder.process.readAllStandardError(), "");
  // Each journal row for row under "lab/dmm/COM1", "…/COM2" and "…/calc3", at least 4 each.
  const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
  for (const auto& [topic, ending] :
       {std::pair("COM1", "_COM1.csv"), {"COM2", "_COM2.csv"}, {"calc3", "_calc.csv"}}) {
    const QString path = folder.filePath(folder.entryList({QString("*") + ending}).value(0));
    const QStringList journalled = journalReadings(home, path, ',');
    EXPECT_TRUE(
        journalled.size() >= 4 &&
        waitUntil([&] { return publishedRows(broker, QString("lab/dmm/") + topic) == journalled; },
                  5s))
        << topic << " " << journalled.size();
  }
  EXPECT_EQ(publishedRows(broker), before);  // nothing more under the prefix itself
}

}  // namespace
}  // namespace kelvor::e2e
