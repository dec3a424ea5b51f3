#include "support/MqttBroker.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

namespace kelvor::testing {

namespace {

int freePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(s, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  close(s);
  return ntohs(address.sin_port);
}

// A CA, a certificate for 127.0.0.1 that it signs, and a second CA that signs nothing.
constexpr const char* MakeCertificates = R"(set -e
key="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
openssl req -x509 $key -keyout ca.key -out ca.pem -days 2 -subj /CN=KelvorTestCA
openssl req -x509 $key -keyout other.key -out other.pem -days 2 -subj /CN=OtherCA
openssl req $key -keyout server.key -out server.csr -subj /CN=127.0.0.1
echo "subjectAltName=IP:127.0.0.1,DNS:localhost" > san.cnf
openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
  -extfile san.cnf -out server.pem
chmod 644 *.key)";

}  // namespace

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(10);
  }
  return true;
}

MqttBroker::MqttBroker() {
  if (QStandardPaths::findExecutable("mosquitto", {"/usr/sbin", "/usr/bin"}).isEmpty() ||
      QStandardPaths::findExecutable("mosquitto_sub").isEmpty()) {
    problem_ = "mosquitto or mosquitto_sub is not installed (Debian: mosquitto mosquitto-clients)";
    return;
  }
  port_ = freePort();
  tlsPort_ = freePort();
  const QString config =
      QString(
          "per_listener_settings false\nallow_anonymous false\npassword_file %1/passwd\n"
          "persistence true\npersistence_location %1/\nuser root\nlog_dest stderr\n"
          "listener %2 127.0.0.1\nlistener %3 127.0.0.1\ncafile %1/ca.pem\n"
          "certfile %1/server.pem\nkeyfile %1/server.key\n")
          .arg(dir_.path())
          .arg(port_)
          .arg(tlsPort_);
  QFile file(dir_.filePath("mosquitto.conf"));
  if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) problem_ = "no config";
  file.close();
  if (problem_.isEmpty())
    problem_ =
        run(QString(MakeCertificates) + "\nmosquitto_passwd -b -c passwd " + User + " " + Password);
  if (problem_.isEmpty() && !start()) problem_ = "mosquitto did not start";
}

MqttBroker::~MqttBroker() {
  subscriber_.kill();
  subscriber_.waitForFinished();
  stop();
}

QString MqttBroker::run(const QString& script) {
  QProcess shell;
  shell.setWorkingDirectory(dir_.path());
  shell.setProcessChannelMode(QProcess::MergedChannels);
  shell.start("bash", {"-c", script});
  shell.waitForFinished(60000);
  const bool ok = shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0;
  return ok ? QString() : QString::fromUtf8(shell.readAll());
}

bool MqttBroker::start() {
  broker_.setProcessChannelMode(QProcess::MergedChannels);
  broker_.start(QStandardPaths::findExecutable("mosquitto", {"/usr/sbin", "/usr/bin"}),
                {"-c", dir_.filePath("mosquitto.conf")});
  QByteArray log;
  return waitFor(
      [&] {
        log += broker_.readAll();
        return log.contains(" running");
      },
      std::chrono::seconds(10));
}

void MqttBroker::stop() {
  broker_.terminate();  // a clean end keeps the sessions on disk
  broker_.waitForFinished();
}

bool MqttBroker::subscribe() {
  subscriber_.start("mosquitto_sub",
                    {"-h", "127.0.0.1", "-p", QString::number(port_), "-u", User, "-P", Password,
                     "-q", "1", "-c", "-i", "kelvor-test", "-v", "-t", "#"});
  // Subscribed once a message of our own comes back.
  const QString pub = QStandardPaths::findExecutable("mosquitto_pub");
  QProcess::execute(pub, {"-h", "127.0.0.1", "-p", QString::number(port_), "-u", User, "-P",
                          Password, "-q", "1", "-r", "-t", "test/ready", "-m", "1"});
  return waitFor([this] { return received().contains("test/ready 1"); }, std::chrono::seconds(10));
}

QStringList MqttBroker::received() {
  output_ += QString::fromUtf8(subscriber_.readAllStandardOutput());
  return output_.left(output_.lastIndexOf('\n')).split('\n', Qt::SkipEmptyParts);
}

}  // namespace kelvor::testing
