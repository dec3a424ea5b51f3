// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>

namespace kelvor::testing {

inline int freePort() {
  QTcpServer server;
  server.listen(QHostAddress::LocalHost);
  return server.serverPort();
}

inline QString program(const QString& name) {
  return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin"});
}

// A CA, a certificate for 127.0.0.1 that it signs, a second CA that signs nothing, the login.
inline constexpr const char* Prepare = R"(set -e
key="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
openssl req -x509 $key -keyout ca.key -out ca.pem -days 2 -subj /CN=KelvorTestCA
openssl req -x509 $key -keyout other.key -out other.pem -days 2 -subj /CN=OtherCA
openssl req $key -keyout server.key -out server.csr -subj /CN=127.0.0.1
echo "subjectAltName=IP:127.0.0.1" > san.cnf
openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
  -extfile san.cnf -out server.pem
mosquitto_passwd -b -c passwd "$0" "$1"
printf "per_listener_settings false\nallow_anonymous false\npassword_file passwd\nuser root
persistence true\npersistence_location $PWD/\nlog_dest stderr\nlistener $2 127.0.0.1\n
listener $3 127.0.0.1\ncafile ca.pem\ncertfile server.pem\nkeyfile server.key\n" > mosquitto.conf)";

// A private mosquitto broker on free loopback ports: a plain listener and a TLS one with a
// certificate of a test CA, both asking for the login below. It keeps sessions across a
// restart. Where mosquitto is not installed it names the problem (the tests skip).
class MqttBroker {
 public:
  static constexpr const char* User = "kelvor";
  static constexpr const char* Password = "s3cret";

  MqttBroker() {
    if (program("mosquitto").isEmpty() || program("mosquitto_sub").isEmpty()) {
      problem_ = "mosquitto is not installed (Debian: mosquitto mosquitto-clients)";
      return;
    }
    QProcess shell;
    shell.setWorkingDirectory(dir_.path());
    shell.setProcessChannelMode(QProcess::MergedChannels);
    shell.start("bash",
                {"-c", Prepare, User, Password, QString::number(port_), QString::number(tlsPort_)});
    running_ = shell.waitForFinished(60000) && shell.exitCode() == 0 && start();
    if (!running_) qWarning("%s", shell.readAll().constData());
  }
  ~MqttBroker() {
    subscriber_.kill();
    subscriber_.waitForFinished();
    stop();
  }
  const QString& problem() const { return problem_; }  // why it cannot run here: skip
  bool running() const { return running_; }

  int port() const { return port_; }
  int tlsPort() const { return tlsPort_; }
  QString caFile() const { return dir_.filePath("ca.pem"); }          // signed the broker's
  QString otherCaFile() const { return dir_.filePath("other.pem"); }  // did not

  bool start() {
    broker_.setProcessChannelMode(QProcess::MergedChannels);
    broker_.setWorkingDirectory(dir_.path());
    broker_.start(program("mosquitto"), {"-c", dir_.filePath("mosquitto.conf")});
    QByteArray log;
    while (!(log += broker_.readAll()).contains(" running"))
      if (!broker_.waitForReadyRead(10000)) return false;
    return true;
  }
  void stop() {
    broker_.terminate();  // a clean end keeps the sessions on disk
    broker_.waitForFinished();
  }
  // Subscribes to every topic (QoS 1, a lasting session), and returns once it is subscribed.
  bool subscribe() {
    const QStringList login = {
        "-h", "127.0.0.1", "-p", QString::number(port_), "-u", User, "-P", Password, "-q", "1"};
    subscriber_.start(program("mosquitto_sub"),
                      login + QStringList{"-c", "-i", "test", "-v", "-t", "#"});
    // Subscribed once a retained message of our own has come.
    QProcess::execute(program("mosquitto_pub"),
                      login + QStringList{"-r", "-t", "test/ready", "-m", "1"});
    while (!received().contains("test/ready 1"))
      if (!subscriber_.waitForReadyRead(10000)) return false;
    return true;
  }
  // Every message received so far as "topic payload", in order.
  QStringList received() {
    output_ += QString::fromUtf8(subscriber_.readAllStandardOutput());
    return output_.left(output_.lastIndexOf('\n')).split('\n', Qt::SkipEmptyParts);
  }

 private:
  QTemporaryDir dir_;
  QString problem_;
  bool running_ = false;
  int port_ = freePort();
  int tlsPort_ = freePort();
  QProcess broker_;
  QProcess subscriber_;
  QString output_;
};

}  // namespace kelvor::testing
