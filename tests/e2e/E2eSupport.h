#pragma once

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <map>
#include <memory>

namespace kelvor::e2e {

// Waits, handling events, until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// A private user configuration folder: settings, port links and sockets of one test.
class TestHome {
 public:
  TestHome();
  QString path() const { return dir_.path(); }
  QString file(const QString& name) const { return dir_.filePath(name); }
  // Writes the settings file with these keys in the group "Settings".
  void writeSettings(const std::map<QString, QString>& values) const;
  // Environment for a program that should use this folder as its configuration home.
  QProcessEnvironment environment(const QString& language = QStringLiteral("de_DE.UTF-8")) const;

 private:
  QTemporaryDir dir_;
};

// The meter simulator as a child process.
class MeterSim {
 public:
  MeterSim(const TestHome& home, const QStringList& arguments);
  ~MeterSim();
  bool ready() const { return ready_; }
  void terminate();  // SIGTERM: the simulator removes its port link
  void kill();       // SIGKILL: the link stays behind, dangling
  QString logPath() const { return logPath_; }

 private:
  QProcess process_;
  QString logPath_;
  bool ready_ = false;
};

// The real recorder as a child process, looked at through its probe socket.
class KelvorApp {
 public:
  explicit KelvorApp(const TestHome& home, const QString& language = QStringLiteral("de_DE.UTF-8"));
  // Starts any program that ends up running the recorder with this home's probe socket.
  KelvorApp(const TestHome& home, const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment);
  ~KelvorApp();

  bool connected() const { return socket_.state() == QLocalSocket::ConnectedState; }
  // Sends one probe request and returns the reply line ("ok ..." or "error ...").
  QString request(const QString& line);
  // The value of an "ok" reply, or a marker text for an error.
  QString text(const QString& objectName) { return valueOf(request("text " + objectName)); }
  QStringList texts(const QStringList& objectNames) {
    return valueOf(request("texts " + objectNames.join(' '))).split('\t');
  }
  QString modal() { return valueOf(request(QStringLiteral("modal"))); }
  bool running() const { return process_.state() == QProcess::Running; }
  // Closes the main window like the close box and waits for the process to end.
  bool quit();

 private:
  void start(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment);
  static QString valueOf(const QString& reply);

  QString probePath_;
  QProcess process_;
  QLocalSocket socket_;
};

// One received byte of the simulator's log: when, and which.
struct LoggedByte {
  double seconds;  // seconds since midnight, local time
  int byte;
};
std::vector<LoggedByte> receivedBytes(const QString& logPath);

QByteArray contentsOf(const QString& path);

// Clicks a menu entry, answers the file dialog it opens with `path` and waits until the
// dialog is gone, so that the command has run to its end.
::testing::AssertionResult chooseThroughMenu(KelvorApp& app, const QString& menuEntry,
                                             const QString& path);

// One record line of a saved trace file.
struct TraceLine {
  double value;
  int time;
};
// The record lines of a saved file; empty when the layout is not as the program writes it.
std::vector<TraceLine> recordLines(const QByteArray& bytes, QChar separator);
QStringList lineSettingLines(const QString& logPath);

}  // namespace kelvor::e2e
