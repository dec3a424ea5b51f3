// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <map>
#include <vector>

namespace kelvor::e2e {

using namespace std::chrono_literals;

// Waits, handling events, until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
inline void pause(std::chrono::milliseconds time) {
  waitUntil([] { return false; }, time);
}
QByteArray contentsOf(const QString& path);
// A loopback port that nothing listens on at the moment it is chosen.
quint16 freePort();

// A private configuration home: settings, port links, sockets and files of one test.
class TestHome {
 public:
  QString file(const QString& name) const { return dir_.filePath(name); }
  QString writeFile(const QString& name, const QByteArray& bytes) const;  // returns the path
  void writeSettings(const std::map<QString, QString>& values) const;     // group "Settings"
  void writeSettingsText(const QString& assignments) const;  // "key=value ...", the last wins
  QString stored(const QString& key) const;
  QProcessEnvironment environment(const QString& language = QStringLiteral("de_DE.UTF-8")) const;

 private:
  QTemporaryDir dir_;
};

struct LoggedByte {
  double seconds;  // since midnight, local time
  int byte;
};

// The meter simulator as a child process, logging into the home.
class MeterSim {
 public:
  MeterSim(const TestHome& home, const QStringList& arguments);
  ~MeterSim() { stop(false); }
  bool ready() const { return ready_; }
  // SIGTERM lets the simulator remove its port link; SIGKILL leaves it dangling.
  void stop(bool kill);
  std::vector<LoggedByte> polls() const;  // every byte received
  QString lineSettings() const;           // the last line settings set by the recorder

 private:
  QStringList logLines() const;
  QProcess process_;
  QString logPath_;
  bool ready_ = false;
};

// The recorder, or a program that ends up running it, seen through its probe socket.
class KelvorApp {
 public:
  explicit KelvorApp(const TestHome& home, const QString& language = QStringLiteral("de_DE.UTF-8"),
                     const QString& program = QStringLiteral(KELVOR_EXE),
                     const QStringList& arguments = {});
  ~KelvorApp();
  bool connected() const { return socket_.state() == QLocalSocket::ConnectedState; }
  bool running() const { return process_.state() == QProcess::Running; }
  QString request(const QString& line);  // the reply line, "ok ..." or "error ..."
  bool ok(const QString& line) { return request(line).startsWith(QLatin1String("ok")); }
  QString value(const QString& line);  // of an "ok" reply; "<reply>" for an error
  // The texts of these controls (names separated by spaces), read at one moment, tab-joined.
  QString text(const QString& names) { return value("texts " + names); }
  QString modal() { return value(QStringLiteral("modal")); }
  QString awaitModal(const QString& prefix = {},
                     std::chrono::milliseconds within =
                         std::chrono::seconds(5));  // the first modal window starting so
  bool dismiss();                                   // closes the modal window and waits
  // Clicks a menu entry, answers its file dialog with `path` and waits until the command
  // has run; a message box that it leaves up is a failure.
  ::testing::AssertionResult choose(const QString& menuEntry, const QString& path);
  // Closes the main window like the close box, or sends `signal` (SIGTERM, SIGINT); true on a
  // clean exit.
  bool quit(int signal = 0);
  void kill();  // SIGKILL, as a crash or a power cut ends it

 private:
  QString probePath_;
  QProcess process_;
  QLocalSocket socket_;
};

// Switches drawing on and waits until `count` different readings of the recording have been
// shown; returns their values (fewer when the time is up).
std::vector<double> recordReadings(KelvorApp& app, std::size_t count);

// kelvor-record as a child process, by default under English settings ("," between fields).
struct RecordProcess {
  RecordProcess(const TestHome& home, const QStringList& arguments,
                const QProcessEnvironment& extra = {},
                const QString& language = QStringLiteral("en_US.UTF-8"));
  // The exit status, or -1 while it still runs after `time` or after a signal.
  int status(std::chrono::milliseconds time = 30s);
  QProcess process;
};

// The rows after a journal's header, each split into its fields.
std::vector<QStringList> journalRows(const QByteArray& journal, QChar separator = ',');
// The values of an English journal's rows; empty when its header is not the English one.
std::vector<double> journalValues(const QByteArray& journal);

// The records of a saved trace file; empty when the layout is not as the program writes it.
struct TraceLine {
  double value;
  int time;
};
std::vector<TraceLine> recordLines(const QByteArray& bytes, QChar separator);

}  // namespace kelvor::e2e
