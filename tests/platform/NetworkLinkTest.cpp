// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NetworkLink.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cerrno>
#include <functional>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

namespace kelvor {
namespace {

using Kind = NetworkAddress::Kind;

bool waitFor(const std::function<bool()>& condition) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!condition() && elapsed.elapsed() < 3000) QCoreApplication::processEvents();
  return condition();
}

QByteArray b(std::initializer_list<int> list) {
  QByteArray out;
  for (const int c : list) out += static_cast<char>(c);
  return out;
}

QByteArray comPort(std::initializer_list<int> command) {
  return b({255, 250, 44}) + b(command) + b({255, 240});
}

const QByteArray Agreed = b({255, 253, 0, 255, 251, 0, 255, 253, 44});
const QByteArray LineAnswers =
    comPort({101, 0, 0, 0x04, 0xB0}) + comPort({102, 7}) + comPort({103, 1}) + comPort({104, 2});
const QByteArray ControlAnswers = comPort({105, 8}) + comPort({105, 12});

// A serial server on loopback that answers the first bytes of each connection with `script`
// and keeps what it received.
struct ScriptedServer {
  explicit ScriptedServer(const QByteArray& answers) : script(answers) {
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, [this] {
      client = server.nextPendingConnection();
      QObject::connect(client, &QTcpSocket::readyRead, [this] {
        if (received.isEmpty()) client->write(script);
        received += client->readAll();
      });
    });
  }
  NetworkAddress address(Kind kind) const { return {kind, "127.0.0.1", server.serverPort()}; }
  QByteArray script, received;
  QTcpServer server;
  QTcpSocket* client = nullptr;
};

TEST(NetworkLink, OpensOnlyWhenTheServerTakesTheLineSettings) {
  // server's answers | open error number | what the reason or the note says
  for (const auto& [answers, error, says] : std::vector<std::tuple<QByteArray, int, QString>>{
           {Agreed + LineAnswers + ControlAnswers, 0, ""},
           {Agreed + LineAnswers, 0, "der Server hat DTR und RTS nicht bestätigt"},
           {Agreed + LineAnswers + comPort({105, 9}), EINVAL, "der Server hat DTR ein abgelehnt"},
           {Agreed + comPort({101, 0, 0, 0x25, 0x80}), EINVAL,
            "der Server hat Baudrate 1200 abgelehnt (Server: 9600)"},
           {b({255, 254, 44}), EPROTONOSUPPORT,
            "der Server stellt keine seriellen Leitungen ein (kein COM-PORT-OPTION)"}}) {
    SCOPED_TRACE(says.toStdString());
    ScriptedServer server(answers);
    NetworkLink link;
    const auto result = link.open(server.address(Kind::Rfc2217), RemoteLineSettings{});
    EXPECT_EQ(std::tuple(result.ok, result.errorCode, link.isOpen()),
              std::tuple(error == 0, error, error == 0));
    EXPECT_EQ((error ? result.errorText : result.note).left(says.size()), says);
  }
  // Closed while it waits for a server that never answers (another port chosen meanwhile).
  ScriptedServer silent{QByteArray()};
  NetworkLink link;
  QTimer::singleShot(50, [&link] { link.closePort(); });
  const auto cancelled = link.open(silent.address(Kind::Rfc2217), RemoteLineSettings{});
  EXPECT_EQ(std::tuple(cancelled.ok, cancelled.errorCode, link.isOpen()),
            std::tuple(false, ECANCELED, false));
  const auto unknown =
      link.open(*parseNetworkAddress("tcp://kelvor-test.invalid:4001"), RemoteLineSettings{});
  EXPECT_FALSE(unknown.ok || unknown.errorText.isEmpty());
  QTcpServer probe;  // a port that nothing listens on: refused, with the system's reason
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
  const NetworkAddress closed{Kind::RawTcp, "127.0.0.1", probe.serverPort()};
  probe.close();
  const auto refused = link.open(closed, RemoteLineSettings{});
  EXPECT_TRUE(refused.errorCode == ECONNREFUSED && !refused.errorText.isEmpty());
}

// 0xFF doubled on the way out and undoubled on the way in (RFC 2217 only); a connection the
// server closes is a failed line, and reopening connects again.
TEST(NetworkLink, CarriesDataBothWaysAndNoticesALostConnection) {
  for (const auto kind : {Kind::Rfc2217, Kind::RawTcp}) {
    const bool telnet = kind == Kind::Rfc2217;
    SCOPED_TRACE(telnet);
    ScriptedServer server(telnet ? Agreed + LineAnswers + ControlAnswers : QByteArray());
    NetworkLink link;
    ASSERT_TRUE(link.open(server.address(kind), RemoteLineSettings{}).ok);
    server.received.clear();
    ASSERT_TRUE(link.writePort("D\xff"));
    const QByteArray sent = telnet ? QByteArray("D\xff\xff") : QByteArray("D\xff");
    EXPECT_TRUE(waitFor([&] { return server.received.endsWith(sent); }));
    server.client->write(telnet ? QByteArray("A\377\377B") : QByteArray("A\377B"));
    std::string got;
    EXPECT_TRUE(waitFor([&] { return (got += link.readPort()).size() >= 3; }));
    EXPECT_EQ(got, "A\377B");
    server.client->close();
    EXPECT_TRUE(waitFor([&] { return link.readPort().empty() && link.failed(); }));
    link.closePort();
    server.received.clear();
    EXPECT_TRUE(link.reopen());
  }
}

}  // namespace
}  // namespace kelvor
