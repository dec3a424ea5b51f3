// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-record --http against the simulator: the live page, its events, plot and journals,
// and what it refuses.
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTcpSocket>
#include <QtEndian>
#include <memory>
#include <tuple>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

struct Reply {
  int status = 0;
  QByteArray body;  // as sent, chunks and all
};

// One request on a connection of its own, read until the server closes it or `enough` holds.
Reply fetch(quint16 port, const QByteArray& requestLine, const QByteArray& headers = {},
            const std::function<bool(const QByteArray&)>& enough = {},
            const QHostAddress& address = QHostAddress(QHostAddress::LocalHost)) {
  QTcpSocket socket;
  socket.connectToHost(address, port);
  QByteArray data;
  QObject::connect(&socket, &QTcpSocket::connected, [&] {
    const QByteArray host = headers.startsWith("Host:") ? "" : "Host: 127.0.0.1\r\n";
    socket.write(requestLine + " HTTP/1.1\r\n" + host + "Connection: close\r\n" + headers + "\r\n");
  });
  QObject::connect(&socket, &QTcpSocket::readyRead, [&] { data += socket.readAll(); });
  waitUntil(
      [&] {
        return socket.state() == QAbstractSocket::UnconnectedState ||
               (enough && enough(data.mid(data.indexOf("\r\n\r\n") + 4)));
      },
      10s);
  const int end = data.indexOf("\r\n\r\n");
  if (!data.startsWith("HTTP/1.1 ") || end < 0) return {};
  return {data.mid(9, 3).toInt(), data.mid(end + 4)};
}

// The simulated meter on COM1 and kelvor-record serving its live page on `port`.
class LivePageE2e : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sim.ready()); }
  void TearDown() override { stop(); }
  // kelvor-record at HOST:port, or at the port alone (loopback) without a host.
  RecordProcess& serve(const QString& host = {}, const QStringList& more = {}) {
    const QString at = (host.isEmpty() ? "" : host + ":") + QString::number(port);
    recorder =
        std::make_unique<RecordProcess>(home, QStringList{"--port", "COM1", "--http", at} + more);
    return *recorder;
  }
  // SIGTERM ends the recording cleanly, whatever the page's clients do.
  void stop() {
    if (!recorder) return;
    ::kill(static_cast<pid_t>(recorder->process.processId()), SIGTERM);
    EXPECT_EQ(recorder->status(), 0);
    recorder.reset();
  }
  QString journalPath() const {
    const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
    return folder.filePath(folder.entryList({"*_COM1.csv.part"}, QDir::Files).value(0));
  }

  TestHome home;
  MeterSim sim{home, {"--port", "1", "--values", "ramp:1,1"}};
  const quint16 port = freePort();
  std::unique_ptr<RecordProcess> recorder;
};

TEST_F(LivePageE2e, ServesPageEventsPlotAndItsOwnJournalsOnly) {
  serve();
  const auto get = [this](const QByteArray& path, const QByteArray& headers = {}) {
    return fetch(port, "GET " + path, headers);
  };
  ASSERT_TRUE(waitUntil([&] { return get("/").body.contains("<tr data-channel=\"1\">"); }, 15s));
  for (const auto& [language, heading] : std::vector<std::pair<QByteArray, QByteArray>>{
           {"", "<th>Channel</th>"}, {"de-DE,de;q=0.9,en;q=0.5", "<th>Kanal</th>"}}) {
    const Reply page = get("/", "Accept-Language: " + language + "\r\n");
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains(heading)) << language.constData();
  }
  const Reply events = fetch(port, "GET /events", {}, [](const QByteArray& body) {
    return body.contains("\"channel\":1,\"value\":") && body.contains("\"status\":\"ok\"}");
  });
  EXPECT_EQ(events.status, 200);
  EXPECT_TRUE(events.body.contains("data: {\"time\":\"")) << events.body.constData();

  const Reply plot = get("/plot.png?width=320&height=200&ratio=2");
  ASSERT_TRUE(plot.body.startsWith("\x89PNG\r\n\x1a\n")) << plot.status;
  EXPECT_EQ(qFromBigEndian<quint32>(plot.body.constData() + 16), 640u);
  EXPECT_EQ(qFromBigEndian<quint32>(plot.body.constData() + 20), 400u);
  for (const QByteArray& query : QByteArrayList{"width=wide", "minutes=soon"})
    EXPECT_EQ(get("/plot.png?" + query).status, 400) << query.constData();

  const QByteArray journal = QFileInfo(journalPath()).fileName().toUtf8();
  ASSERT_FALSE(journal.isEmpty());
  // Listed from the tick after its writer named it.
  EXPECT_TRUE(
      waitUntil([&] { return get("/journals/").body.contains("href=\"" + journal + "\""); }, 10s));
  EXPECT_TRUE(get("/journals/" + journal).body.startsWith("time,utc,elapsed_s,channel,"));
  // Nothing beside the run's journals, however the path is put.
  for (const QByteArray& path : QByteArrayList{
           "/journals/../metersim.log", "/journals/..%2Fmetersim.log", "/journals/%2E%2E",
           "/journals/metersim.log", "/journals//" + journal, "/journals", "/../metersim.log"})
    EXPECT_EQ(get(path).status, 404) << path.constData();
  EXPECT_EQ(fetch(port, "POST /").status, 405);
  // Without a token only this machine's names: no web site's name that leads here.
  EXPECT_EQ(fetch(port, "GET /", "Host: evil.example:80\r\n").status, 401);
}

TEST_F(LivePageE2e, WithoutTheTokenNothingButUnauthorized) {
  const QString token = home.writeFile(QStringLiteral("token"), "s3cret\n");
  // An address others reach is never served without a token, nor with a token file unread.
  for (const QStringList& refused :
       {QStringList{"--http", "0.0.0.0:" + QString::number(port)},
        QStringList{"--http", "[::]:" + QString::number(port)},
        QStringList{"--http", QString::number(port), "--http-token-file", home.file("none")}}) {
    RecordProcess refusing(home, QStringList{"--port", "COM1"} + refused);
    EXPECT_EQ(refusing.status(), 2) << refused.join(' ').toStdString();
    EXPECT_TRUE(refusing.process.readAllStandardError().contains("kelvor-record: --http"));
  }
  serve("127.0.0.1", {"--http-token-file", token});
  ASSERT_TRUE(waitUntil(
      [&] { return fetch(port, "GET /", "Authorization: Bearer s3cret\r\n").status == 200; }, 15s));
  for (const auto& [request, headers, status] :
       std::vector<std::tuple<QByteArray, QByteArray, int>>{
           {"GET /", "", 401},
           {"GET /?token=s3cre", "", 401},
           {"GET /journals/", "Authorization: Bearer s3cretX\r\n", 401},
           {"POST /", "", 401},
           {"GET /events?token=s3cret", "", 200},
           {"GET /plot.png?token=s3cret", "", 200}}) {
    const Reply reply = fetch(port, request, headers, [](const QByteArray& body) {
      return body.contains("data: ") || body.contains("IEND");
    });
    EXPECT_EQ(reply.status, status) << request.constData();
    EXPECT_TRUE(status != 401 || reply.body.isEmpty()) << request.constData();
  }
}

// An address others could reach, made in a network namespace of the test's own: nothing leaves
// the namespace. The test runs itself again inside it, where KELVOR_TEST_ADDRESS names the
// address; outside, it makes the namespace and reads the inner run's verdict.
TEST_F(LivePageE2e, AnAddressOthersReachAnswersOnlyWithTheToken) {
  const QString address = qEnvironmentVariable("KELVOR_TEST_ADDRESS");
  if (address.isEmpty()) {
    const QString inside = QStringLiteral("10.213.0.1");
    const QStringList unshare{"--user", "--map-root-user", "--net", "--", "sh", "-c"};
    QProcess probe;
    probe.start("unshare",
                unshare + QStringList{"ip link set lo up && ip addr add " + inside + "/32 dev lo"});
    if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
      GTEST_SKIP()
          << "no network namespace of the test's own on this machine: "
          << (probe.readAllStandardError() + probe.errorString().toUtf8()).trimmed().constData();
    QProcess inner;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KELVOR_TEST_ADDRESS", inside);
    inner.setProcessEnvironment(environment);
    inner.setProcessChannelMode(QProcess::MergedChannels);
    inner.start("unshare",
                unshare + QStringList{"ip link set lo up && ip addr add " + inside +
                                          "/32 dev lo && exec \"$0\" \"$1\"",
                                      QCoreApplication::applicationFilePath(),
                                      "--gtest_filter=LivePageE2e.AnAddressOthersReach*"});
    ASSERT_TRUE(inner.waitForFinished(60000));
    const QByteArray output = inner.readAll();
    EXPECT_EQ(inner.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
    return;
  }
  const QString token = home.writeFile(QStringLiteral("token"), "s3cret\n");
  serve(address, {"--http-token-file", token});
  const QHostAddress host(address);
  const auto get = [&](const QByteArray& request, const QByteArray& headers) {
    return fetch(port, request, "Host: " + address.toUtf8() + "\r\n" + headers, {}, host);
  };
  ASSERT_TRUE(waitUntil(
      [&] { return get("GET /", "Authorization: Bearer s3cret\r\n").status == 200; }, 15s));
  for (const auto& [request, headers, status] :
       std::vector<std::tuple<QByteArray, QByteArray, int>>{
           {"GET /", "", 401},
           {"GET /journals/", "", 401},
           {"GET /plot.png", "Authorization: Bearer s3cre\r\n", 401},
           {"GET /journals/?token=s3cret", "", 200}}) {
    const Reply reply = get(request, headers);
    EXPECT_EQ(reply.status, status) << request.constData();
    EXPECT_TRUE(status != 401 || reply.body.isEmpty()) << request.constData();
  }
  // Only the address given: loopback is not served.
  EXPECT_EQ(fetch(port, "GET /?token=s3cret").status, 0);
}

// A page left open on a machine that stopped reading: its socket fills, nothing else waits.
TEST_F(LivePageE2e, AClientThatStopsReadingHoldsUpNeitherTheJournalNorTheOthers) {
  serve();
  ASSERT_TRUE(waitUntil([&] { return fetch(port, "GET /").status == 200; }, 15s));
  const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
  const int smallest = 1;  // the kernel's least receive buffer
  ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &smallest, sizeof smallest);
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(port);
  server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::connect(stalled, reinterpret_cast<sockaddr*>(&server), sizeof server), 0);
  const QByteArray ask = "GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  ASSERT_EQ(::send(stalled, ask.constData(), static_cast<std::size_t>(ask.size()), 0), ask.size());
  const auto rows = [&] { return journalRows(contentsOf(journalPath())).size(); };
  const std::size_t before = rows();
  pause(6s);
  EXPECT_GE(rows(), before + 4);
  const Reply events = fetch(port, "GET /events", {}, [](const QByteArray& body) {
    return body.count("\"channel\":1,\"value\":") >= 2;
  });
  EXPECT_GE(events.body.count("\"channel\":1,\"value\":"), 2) << events.body.constData();
  stop();  // nor does it hold up the end
  ::close(stalled);
}

}  // namespace
}  // namespace kelvor::e2e
