#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>

namespace kelvor::testing {

// Handles events until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// A private mosquitto broker on free loopback ports: a plain listener and a TLS one with a
// certificate of a test CA, both asking for the login below. It keeps sessions across a
// restart. Where mosquitto is not installed it is unavailable (the tests skip).
class MqttBroker {
 public:
  static constexpr const char* User = "kelvor";
  static constexpr const char* Password = "s3cret";

  MqttBroker();
  ~MqttBroker();
  bool unavailable() const { return !problem_.isEmpty(); }
  const QString& problem() const { return problem_; }

  int port() const { return port_; }
  int tlsPort() const { return tlsPort_; }
  QString caFile() const { return dir_.filePath("ca.pem"); }          // signed the broker's
  QString otherCaFile() const { return dir_.filePath("other.pem"); }  // did not

  bool start();
  void stop();
  // Subscribes to every topic (QoS 1, a lasting session), and returns once it is subscribed.
  bool subscribe();
  // Every message received so far as "topic payload", in order.
  QStringList received();

 private:
  QString run(const QString& script);  // empty when it went well, else its output
  QTemporaryDir dir_;
  QString problem_;
  int port_ = 0;
  int tlsPort_ = 0;
  QProcess broker_;
  QProcess subscriber_;
  QString output_;
};

}  // namespace kelvor::testing
