// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/E2eSupport.h"

#include <signal.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTcpServer>
#include <QThread>
#include <QTime>

namespace kelvor::e2e {

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(20);
  }
  return true;
}

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 freePort() {
  QTcpServer probe;
  return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

QString TestHome::writeFile(const QString& name, const QByteArray& bytes) const {
  QFile out(file(name));
  EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size())
      << name.toStdString();
  return out.fileName();
}

void TestHome::writeSettings(const std::map<QString, QString>& values) const {
  QSettings settings(file(QStringLiteral("Kelvor/Kelvor.conf")), QSettings::IniFormat);
  for (const auto& [key, value] : values) settings.setValue("Settings/" + key, value);
}

void TestHome::writeSettingsText(const QString& assignments) const {
  std::map<QString, QString> values;
  for (const QString& entry : assignments.split(' ', Qt::SkipEmptyParts))
    values[entry.section('=', 0, 0)] = entry.section('=', 1);
  writeSettings(values);
}

QString TestHome::stored(const QString& key) const {
  return QSettings(file(QStringLiteral("Kelvor/Kelvor.conf")), QSettings::IniFormat)
      .value("Settings/" + key)
      .toString();
}

QProcessEnvironment TestHome::environment(const QString& language) const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.path());
  env.insert(QStringLiteral("XDG_DATA_HOME"), file(QStringLiteral("data")));
  env.insert(QStringLiteral("KELVOR_DEMO_HOME"), dir_.path());  // for tools/start-with-simulator
  env.insert(QStringLiteral("KELVOR_PROBE"), file(QStringLiteral("probe.sock")));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("LANG"), language);
  for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANGUAGE"}) env.remove(QLatin1String(name));
  return env;
}

MeterSim::MeterSim(const TestHome& home, const QStringList& arguments)
    : logPath_(home.file(QStringLiteral("metersim.log"))) {
  process_.setProcessEnvironment(home.environment());
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QStringLiteral(KELVOR_METERSIM_EXE),
                 arguments + QStringList{"--log", logPath_, "--quit-after", "120"});
  ready_ = waitUntil(
      [this] { return process_.canReadLine() && process_.readLine().startsWith("ready"); }, 5s);
  EXPECT_TRUE(ready_) << "the meter simulator did not start: " << arguments.join(' ').toStdString();
}

void MeterSim::stop(bool kill) {
  if (process_.state() == QProcess::NotRunning) return;
  kill ? process_.kill() : process_.terminate();
  if (!process_.waitForFinished(3000) && !kill) stop(true);
}

QStringList MeterSim::logLines() const {
  return QString::fromUtf8(contentsOf(logPath_)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::vector<LoggedByte> MeterSim::polls() const {
  // "<date>T<hh:mm:ss.mmm> rx 0xHH ..."
  static const QRegularExpression rx(
      QStringLiteral(R"((\d\d:\d\d:\d\d\.\d\d\d)\S*\s+rx\s+0x(\S\S))"));
  std::vector<LoggedByte> bytes;
  for (const QString& line : logLines()) {
    const QRegularExpressionMatch m = rx.match(line);
    const QTime time = QTime::fromString(m.captured(1), QStringLiteral("hh:mm:ss.zzz"));
    if (m.hasMatch())
      bytes.push_back({time.msecsSinceStartOfDay() / 1000.0, m.captured(2).toInt(nullptr, 16)});
  }
  return bytes;
}

QString MeterSim::lineSettings() const {
  const QStringList lines = logLines().filter(QLatin1String(" line "));
  return lines.isEmpty() ? QString() : lines.last();
}

KelvorApp::KelvorApp(const TestHome& home, const QString& language, const QString& program,
                     const QStringList& arguments)
    : probePath_(home.file(QStringLiteral("probe.sock"))) {
  process_.setProcessEnvironment(home.environment(language));
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(program, arguments);
  waitUntil(
      [this] {
        if (process_.state() == QProcess::NotRunning) return true;
        socket_.connectToServer(probePath_);
        return socket_.waitForConnected(50);
      },
      60s);
  EXPECT_TRUE(connected()) << "no probe connection to " << program.toStdString();
}

KelvorApp::~KelvorApp() {
  if (process_.state() != QProcess::NotRunning && !quit()) kill();
}

QString KelvorApp::request(const QString& line) {
  if (!connected()) return QStringLiteral("error not connected");
  socket_.write((line + QLatin1Char('\n')).toUtf8());
  socket_.flush();
  // A busy program (a journal of a week read under the sanitizers) answers late but in order;
  // an answer given up on would be taken for the next request's.
  if (!waitUntil(
          [this] { return socket_.canReadLine() || process_.state() == QProcess::NotRunning; },
          60s))
    return QStringLiteral("error no answer");
  return QString::fromUtf8(socket_.readLine()).chopped(1);
}

QString KelvorApp::value(const QString& line) {
  const QString reply = request(line);
  if (!reply.startsWith(QLatin1String("ok"))) return "<" + reply + ">";
  return reply.mid(3).replace(QLatin1String("\\n"), QLatin1String("\n"));
}

QString KelvorApp::awaitModal(const QString& prefix, std::chrono::milliseconds within) {
  QString seen;
  waitUntil([&] { return !(seen = modal()).isEmpty() && seen.startsWith(prefix); }, within);
  return seen;
}

bool KelvorApp::dismiss() {
  return ok(QStringLiteral("dismiss")) && waitUntil([this] { return modal().isEmpty(); }, 5s);
}

::testing::AssertionResult KelvorApp::choose(const QString& menuEntry, const QString& path) {
  if (!ok("click " + menuEntry))
    return ::testing::AssertionFailure() << "cannot click " << menuEntry.toStdString();
  if (!waitUntil([&] { return ok("choose-file " + path); }, 5s))
    return ::testing::AssertionFailure() << menuEntry.toStdString() << " opened no file dialog";
  QString left;
  waitUntil([&] { return (left = modal()).isEmpty() || left.startsWith("Kelvor|"); }, 5s);
  if (left.isEmpty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "left open: " << left.toStdString();
}

bool KelvorApp::quit(int signal) {
  if (signal == 0)
    request(QStringLiteral("quit"));
  else
    ::kill(static_cast<pid_t>(process_.processId()), signal);
  process_.waitForFinished(10000);
  return process_.state() == QProcess::NotRunning &&
         process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

void KelvorApp::kill() {
  process_.kill();
  process_.waitForFinished(3000);
}

std::vector<double> recordReadings(KelvorApp& app, std::size_t count) {
  std::vector<double> shown;
  if (!app.ok(QStringLiteral("click chkActive"))) return shown;
  static const QRegularExpression number(QStringLiteral("^-?\\d+([,.]\\d+)?"));
  waitUntil(
      [&] {
        const QStringList now = app.text("lblLauf lblVal").split('\t');
        const double value = number.match(now.value(1)).captured().replace(',', '.').toDouble();
        if (now.value(0) != QLatin1String("-- : -- : --") &&
            (shown.empty() || shown.back() != value))
          shown.push_back(value);
        return shown.size() >= count;
      },
      20s);
  return shown;
}

std::vector<TraceLine> recordLines(const QByteArray& bytes, QChar separator) {
  if (!bytes.endsWith("\r\n\r\n\r\n")) return {};
  const QRegularExpression record(QStringLiteral("^(-?\\d+(?:[%1]\\d+)?);(-?\\d+)$")
                                      .arg(QRegularExpression::escape(separator)));
  std::vector<TraceLine> lines;
  for (const QString& line : QString::fromLatin1(bytes).split("\r\n", Qt::SkipEmptyParts)) {
    const QRegularExpressionMatch m = record.match(line);
    if (!m.hasMatch()) return {};
    lines.push_back({m.captured(1).replace(separator, '.').toDouble(), m.captured(2).toInt()});
  }
  return lines;
}

RecordProcess::RecordProcess(const TestHome& home, const QStringList& arguments,
                             const QProcessEnvironment& extra, const QString& language) {
  QProcessEnvironment environment = home.environment(language);
  environment.insert(extra);
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(KELVOR_RECORD_EXE), arguments);
}

int RecordProcess::status(std::chrono::milliseconds time) {
  const bool ended = waitUntil([this] { return process.state() == QProcess::NotRunning; }, time);
  return ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

std::vector<QStringList> journalRows(const QByteArray& journal, QChar separator) {
  std::vector<QStringList> rows;
  for (const QString& line : QString::fromUtf8(journal).split("\r\n", Qt::SkipEmptyParts).mid(1))
    rows.push_back(line.split(separator));
  return rows;
}

std::vector<double> journalValues(const QByteArray& journal) {
  std::vector<double> values;
  if (!journal.startsWith("time,utc,elapsed_s,channel,value,unit,mode,status,raw\r\n")) return {};
  for (const QStringList& row : journalRows(journal)) values.push_back(row.value(4).toDouble());
  return values;
}

}  // namespace kelvor::e2e
