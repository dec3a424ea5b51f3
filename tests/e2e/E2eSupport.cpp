#include "e2e/E2eSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QString>
#include <QTextStream>
#include <QThread>
#include <csignal>

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

TestHome::TestHome() {
  QDir(dir_.path()).mkpath(QStringLiteral("runtime"));
  QFile::setPermissions(file(QStringLiteral("runtime")),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestHome::writeSettings(const std::map<QString, QString>& values) const {
  QSettings settings(file(QStringLiteral("Kelvor/Kelvor.conf")), QSettings::IniFormat);
  settings.beginGroup(QStringLiteral("Settings"));
  for (const auto& [key, value] : values) settings.setValue(key, value);
  settings.endGroup();
  settings.sync();
}

QProcessEnvironment TestHome::environment(const QString& language) const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), path());
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), file(QStringLiteral("runtime")));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("LANG"), language);
  env.remove(QStringLiteral("LC_ALL"));
  env.remove(QStringLiteral("LC_NUMERIC"));
  env.remove(QStringLiteral("LANGUAGE"));
  return env;
}

MeterSim::MeterSim(const TestHome& home, const QStringList& arguments)
    : logPath_(home.file(QStringLiteral("metersim.log"))) {
  process_.setProcessEnvironment(home.environment());
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QStringLiteral(KELVOR_METERSIM_EXE),
                 arguments + QStringList{"--log", logPath_, "--quit-after", "120"});
  ready_ = waitUntil(
      [this] { return process_.canReadLine() && process_.readLine().startsWith("ready"); },
      std::chrono::seconds(5));
}

MeterSim::~MeterSim() {
  terminate();
}

void MeterSim::terminate() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(3000)) kill();
}

void MeterSim::kill() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.kill();
  process_.waitForFinished(3000);
}

KelvorApp::KelvorApp(const TestHome& home, const QString& language)
    : probePath_(home.file(QStringLiteral("probe.sock"))) {
  QProcessEnvironment env = home.environment(language);
  env.insert(QStringLiteral("KELVOR_PROBE"), probePath_);
  start(QStringLiteral(KELVOR_EXE), {}, env);
}

KelvorApp::KelvorApp(const TestHome& home, const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& environment)
    : probePath_(home.file(QStringLiteral("probe.sock"))) {
  QProcessEnvironment env = environment;
  env.insert(QStringLiteral("KELVOR_PROBE"), probePath_);
  start(program, arguments, env);
}

void KelvorApp::start(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment) {
  process_.setProcessEnvironment(environment);
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(program, arguments);
  waitUntil(
      [this] {
        if (process_.state() == QProcess::NotRunning) return true;
        socket_.connectToServer(probePath_);
        return socket_.waitForConnected(50);
      },
      std::chrono::seconds(60));
}

KelvorApp::~KelvorApp() {
  if (process_.state() == QProcess::NotRunning) return;
  if (!quit()) {
    process_.kill();
    process_.waitForFinished(3000);
  }
}

QString KelvorApp::request(const QString& line) {
  if (!connected()) return QStringLiteral("error not connected");
  socket_.write((line + QLatin1Char('\n')).toUtf8());
  socket_.flush();
  const bool answered =
      waitUntil([this] { return socket_.canReadLine(); }, std::chrono::seconds(5));
  if (!answered) return QStringLiteral("error no answer");
  return QString::fromUtf8(socket_.readLine()).chopped(1);
}

QString KelvorApp::valueOf(const QString& reply) {
  if (!reply.startsWith(QLatin1String("ok"))) return QStringLiteral("<") + reply + ">";
  return reply.mid(3).replace(QLatin1String("\\n"), QLatin1String("\n"));
}

bool KelvorApp::quit() {
  request(QStringLiteral("quit"));
  process_.waitForFinished(10000);
  return process_.state() == QProcess::NotRunning &&
         process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

namespace {
QStringList logLines(const QString& logPath) {
  QFile file(logPath);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
}  // namespace

std::vector<LoggedByte> receivedBytes(const QString& logPath) {
  // "<date>T<hh:mm:ss.mmm> rx 0xHH ..."
  static const QRegularExpression rx(
      QStringLiteral(R"(T?(\d\d):(\d\d):(\d\d)\.(\d\d\d)\S*\s+rx\s+0x([0-9A-Fa-f]{2}))"));
  std::vector<LoggedByte> bytes;
  for (const QString& line : logLines(logPath)) {
    const QRegularExpressionMatch m = rx.match(line);
    if (!m.hasMatch()) continue;
    const double seconds = m.captured(1).toInt() * 3600.0 + m.captured(2).toInt() * 60.0 +
                           m.captured(3).toInt() + m.captured(4).toInt() / 1000.0;
    bytes.push_back({seconds, m.captured(5).toInt(nullptr, 16)});
  }
  return bytes;
}

QStringList lineSettingLines(const QString& logPath) {
  QStringList lines;
  for (const QString& line : logLines(logPath))
    if (line.contains(QLatin1String(" line "))) lines << line;
  return lines;
}

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

::testing::AssertionResult chooseThroughMenu(KelvorApp& app, const QString& menuEntry,
                                             const QString& path) {
  const QString clicked = app.request("click " + menuEntry);
  if (!clicked.startsWith(QLatin1String("ok")))
    return ::testing::AssertionFailure()
           << menuEntry.toStdString() << ": " << clicked.toStdString();
  QString reply;
  const bool chosen = waitUntil(
      [&] {
        reply = app.request("choose-file " + path);
        return reply.startsWith(QLatin1String("ok"));
      },
      std::chrono::seconds(5));
  if (!chosen)
    return ::testing::AssertionFailure()
           << menuEntry.toStdString() << " opened no file dialog: " << reply.toStdString();
  if (!waitUntil([&] { return app.modal().isEmpty(); }, std::chrono::seconds(5)))
    return ::testing::AssertionFailure()
           << "still open after choosing a file: " << app.modal().toStdString();
  return ::testing::AssertionSuccess();
}

std::vector<TraceLine> recordLines(const QByteArray& bytes, QChar separator) {
  if (!bytes.endsWith("\r\n\r\n\r\n")) return {};
  const QString text = QString::fromLatin1(bytes.left(bytes.size() - 4));
  const QRegularExpression record(
      QStringLiteral("^(-?\\d+(?:[%1]\\d+)?);(\\d+)$").arg(QRegularExpression::escape(separator)));
  std::vector<TraceLine> lines;
  for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
    const QRegularExpressionMatch m = record.match(line);
    if (!m.hasMatch()) return {};
    QString value = m.captured(1);
    value.replace(separator, QLatin1Char('.'));
    lines.push_back({value.toDouble(), m.captured(2).toInt()});
  }
  return lines;
}

}  // namespace kelvor::e2e
