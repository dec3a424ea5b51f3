// SPDX-License-Identifier: GPL-3.0-or-later
// Meters behind a real serial server on loopback: ser2net serves the simulator's
// pseudo-terminal by RFC 2217 and as raw TCP; the window and kelvor-record read through it.
// Both kinds of connection carrying data both ways are NetworkLinkTest's, a poll a second
// RecordE2e's.
#include <signal.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

// ser2net on loopback: an RFC 2217 port and a raw TCP port for each simulator's terminal.
// Its own line settings (9600 baud, 1 stop bit) differ from the meter's, so a line at 1200
// baud with 2 stop bits can only have been set through RFC 2217.
class Ser2net {
 public:
  struct Served {
    QString terminal;
    quint16 rfc2217 = freePort();
    quint16 tcp = freePort();
  };

  Ser2net(const TestHome& home, const std::vector<Served>& served) {
    QByteArray yaml;
    for (const Served& s : served) {
      const QByteArray device = "serialdev," + s.terminal.toUtf8();
      yaml += "connection: &r" + QByteArray::number(s.rfc2217) +
              "\n  accepter: telnet(rfc2217),tcp,127.0.0.1," + QByteArray::number(s.rfc2217) +
              "\n  connector: " + device + ",9600n81,local\n";
      yaml += "connection: &t" + QByteArray::number(s.tcp) + "\n  accepter: tcp,127.0.0.1," +
              QByteArray::number(s.tcp) + "\n  connector: " + device + ",1200n82,local\n";
    }
    config_ = home.writeFile(QStringLiteral("ser2net.yaml"), yaml);
    pidFile_ = home.file(QStringLiteral("ser2net.pid"));
    port_ = served.front().tcp;
    start();
  }
  ~Ser2net() { kill(); }
  // True once it accepts connections.
  bool start() {
    process_.start(QStringLiteral("ser2net"), {"-n", "-u", "-c", config_, "-P", pidFile_});
    return waitUntil(
        [this] {
          QTcpSocket socket;
          socket.connectToHost(QHostAddress::LocalHost, port_);
          return socket.waitForConnected(100);
        },
        5s);
  }
  void kill() {
    process_.kill();
    process_.waitForFinished();
  }

 private:
  QProcess process_;
  QString config_, pidFile_;
  quint16 port_ = 0;
};

QString terminalOf(const TestHome& home, int port) {
  return QFileInfo(home.file(QStringLiteral("Kelvor/ports/COM%1").arg(port))).symLinkTarget();
}

QString rfc2217(quint16 port) {
  return QStringLiteral("rfc2217://127.0.0.1:%1").arg(port);
}

// The window reads through RFC 2217, kelvor-record as raw TCP from a port link file holding the
// address. ser2net gone for ten seconds: the window says so and both go on when it is back,
// each reading once and in order.
TEST(NetworkE2e, AServerAwayForTenSecondsIsRetriedAndReadingsGoOnInOrder) {
  TestHome home, recordHome;  // each simulator logs into its own home
  MeterSim window(home, {"--port", "1", "--values", "ramp:1,1"});
  MeterSim record(recordHome, {"--port", "2", "--values", "ramp:1,1"});
  const Ser2net::Served forWindow{terminalOf(home, 1)}, forRecord{terminalOf(recordHome, 2)};
  Ser2net server(home, {forWindow, forRecord});
  recordHome.writeFile(QStringLiteral("Kelvor/ports/COM5"),
                       "tcp://127.0.0.1:" + QByteArray::number(forRecord.tcp) + "\n");
  home.writeSettings({{"NetAddress", rfc2217(forWindow.rfc2217)}});
  KelvorApp app(home);
  ASSERT_TRUE(recordReadings(app, 2).size() == 2u);
  const QString file = recordHome.file(QStringLiteral("f.csv"));
  RecordProcess recorder(recordHome, {"--port", "COM5", "--count", "10", "--output", file});
  ASSERT_TRUE(
      waitUntil([&] { return journalValues(contentsOf(file + ".part")).size() >= 3; }, 10s));

  server.kill();
  const QString title = QStringLiteral("Kelvor – rfc2217-127.0.0.1-%1").arg(forWindow.rfc2217);
  EXPECT_TRUE(
      waitUntil([&] { return app.text("frmMain") == title + ": getrennt, neuer Versuch"; }, 5s))
      << app.text("frmMain").toStdString();
  pause(10s);
  const QString before = app.text("lblVal");
  ASSERT_TRUE(server.start() && waitUntil([&] { return app.text("frmMain") == title; }, 5s));
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal") != before; }, 5s));

  ASSERT_EQ(recorder.status(), 0) << recorder.process.readAllStandardError().toStdString();
  const std::vector<double> values = journalValues(contentsOf(file));
  ASSERT_EQ(values.size(), 10u);
  for (std::size_t i = 1; i < values.size(); ++i)
    EXPECT_GT(values[i], values[i - 1]) << i;  // none twice, none back
  EXPECT_TRUE(window.lineSettings().endsWith("1200 baud, 8 data bits, parity none, 2 stop bits"))
      << window.lineSettings().toStdString();
}

// A server that takes the connection and never answers: the window goes on answering while it
// waits, then says why. (Nothing listening at all: NetworkLinkTest.)
TEST(NetworkE2e, AServerThatNeverAnswersIsAnOpenErrorAndTheWindowStaysResponsive) {
  TestHome home;
  QTcpServer silent;
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  home.writeSettings({{"NetAddress", rfc2217(silent.serverPort())}});
  KelvorApp app(home);
  QElapsedTimer asked;
  asked.start();
  // Answered while the open still waits for the server.
  EXPECT_TRUE(!app.text("frmMain").isEmpty() && asked.elapsed() < 500 && app.modal().isEmpty());
  const QString message = app.awaitModal();
  EXPECT_TRUE(message.startsWith("Kelvor|Error 110 opening " + rfc2217(silent.serverPort())))
      << message.toStdString();
  EXPECT_TRUE(app.dismiss());
}

}  // namespace
}  // namespace kelvor::e2e
