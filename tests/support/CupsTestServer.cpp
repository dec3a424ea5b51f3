#include "support/CupsTestServer.h"

#include <cups/cups.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace kelvor::testing {

namespace {

// The scheduler's programs, as the Debian packages install them.
const char* const SchedulerProgram = "/usr/sbin/cupsd";
const char* const SchedulerHelpers = "/usr/lib/cups/daemon";
const char* const AdminProgram = "/usr/sbin/lpadmin";

// A PDF printer of our own: 300 dpi, colour, A4 (default) and Letter with 1/4 inch side and
// 1/2 inch top and bottom margins. Jobs arrive as PDF and go through one filter that hands
// them on unchanged, so the output file is the program's own PDF.
QByteArray ppdFor(const TestQueue& queue) {
  const QByteArray model = queue.makeAndModel.toLatin1();
  return "*PPD-Adobe: \"4.3\"\n"
         "*FormatVersion: \"4.3\"\n"
         "*FileVersion: \"1.0\"\n"
         "*LanguageVersion: English\n"
         "*LanguageEncoding: ISOLatin1\n"
         "*PCFileName: \"KVTEST.PPD\"\n"
         "*Manufacturer: \"Kelvor\"\n"
         "*Product: \"(" +
         model +
         ")\"\n"
         "*ModelName: \"" +
         model +
         "\"\n"
         "*ShortNickName: \"" +
         model +
         "\"\n"
         "*NickName: \"" +
         model +
         "\"\n"
         "*PSVersion: \"(3010.000) 0\"\n"
         "*LanguageLevel: \"3\"\n"
         "*ColorDevice: True\n"
         "*DefaultColorSpace: RGB\n"
         "*FileSystem: False\n"
         "*Throughput: \"1\"\n"
         "*LandscapeOrientation: Plus90\n"
         "*TTRasterizer: Type42\n"
         "*cupsVersion: 2.4\n"
         "*cupsFilter2: \"application/pdf application/pdf 0 pdfcopy\"\n"
         "*OpenUI *PageSize/Media Size: PickOne\n"
         "*OrderDependency: 10 AnySetup *PageSize\n"
         "*DefaultPageSize: A4\n"
         "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
         "*PageSize Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
         "*CloseUI: *PageSize\n"
         "*OpenUI *PageRegion/Media Size: PickOne\n"
         "*OrderDependency: 10 AnySetup *PageRegion\n"
         "*DefaultPageRegion: A4\n"
         "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
         "*PageRegion Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
         "*CloseUI: *PageRegion\n"
         "*DefaultImageableArea: A4\n"
         "*ImageableArea A4/A4: \"18 36 577 806\"\n"
         "*ImageableArea Letter/US Letter: \"18 36 594 756\"\n"
         "*DefaultPaperDimension: A4\n"
         "*PaperDimension A4/A4: \"595 842\"\n"
         "*PaperDimension Letter/US Letter: \"612 792\"\n"
         "*OpenUI *Resolution/Resolution: PickOne\n"
         "*OrderDependency: 20 AnySetup *Resolution\n"
         "*DefaultResolution: 300dpi\n"
         "*Resolution 300dpi/300 DPI: \"<</HWResolution[300 300]>>setpagedevice\"\n"
         "*CloseUI: *Resolution\n";
}

bool writeFile(const QString& path, const QByteArray& text, QFileDevice::Permissions mode) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  if (file.write(text) != text.size()) return false;
  file.close();
  return file.setPermissions(mode);
}

constexpr QFileDevice::Permissions ReadableByAll = QFileDevice::ReadOwner |
                                                   QFileDevice::WriteOwner |
                                                   QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions RunnableByAll =
    ReadableByAll | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;

bool canConnect(const QString& socketPath) {
  const QByteArray path = QFile::encodeName(socketPath);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return ok;
}

const char* stateName(ipp_jstate_t state) {
  switch (state) {
    case IPP_JSTATE_CANCELED:
      return "canceled";
    case IPP_JSTATE_ABORTED:
      return "aborted";
    case IPP_JSTATE_COMPLETED:
      return "completed";
    default:
      return "pending";
  }
}

}  // namespace

const TestQueue& CupsTestServer::landscapeQueue() {
  static const TestQueue queue{QStringLiteral("LandscapePDF"),
                               QStringLiteral("Kelvor Test PDF Landscape"), true};
  return queue;
}

const TestQueue& CupsTestServer::portraitQueue() {
  static const TestQueue queue{QStringLiteral("PortraitPDF"),
                               QStringLiteral("Kelvor Test PDF Portrait"), false};
  return queue;
}

CupsTestServer::CupsTestServer()
    : CupsTestServer({landscapeQueue(), portraitQueue()}, portraitQueue().name) {}

CupsTestServer::CupsTestServer(std::vector<TestQueue> queues, QString defaultQueue)
    : queues_(std::move(queues)), defaultQueue_(std::move(defaultQueue)) {}

CupsTestServer::~CupsTestServer() {
  stop();
}

CupsTestServer::State CupsTestServer::fail(State state, const QString& problem) {
  problem_ = problem;
  const QString log = this->log();
  if (state == State::Failed && !log.isEmpty()) problem_ += QStringLiteral("\n") + log;
  stop();
  state_ = state;
  return state_;
}

CupsTestServer::State CupsTestServer::start() {
  if (state_ == State::Running) return state_;
  problem_.clear();
  if (::geteuid() != 0)
    return fail(State::Unavailable, QStringLiteral("the private CUPS scheduler needs root"));
  for (const char* program : {SchedulerProgram, AdminProgram}) {
    if (!QFileInfo(QString::fromLatin1(program)).isExecutable())
      return fail(State::Unavailable,
                  QStringLiteral("%1 is missing (Debian packages cups-daemon, cups-client)")
                      .arg(QLatin1String(program)));
  }
  if (!QFileInfo(QStringLiteral("%1/cups-exec").arg(QLatin1String(SchedulerHelpers)))
           .isExecutable())
    return fail(State::Unavailable, QStringLiteral("the scheduler's helpers are missing"));
  const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/printsupport/libcupsprintersupport.so");
  if (!QFileInfo::exists(plugin))
    return fail(State::Unavailable, QStringLiteral("Qt's CUPS print support is missing"));

  dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kvcups-XXXXXX"));
  if (!dir_->isValid()) return fail(State::Failed, QStringLiteral("no temporary folder"));
  if (!writeConfiguration())
    return fail(State::Failed, QStringLiteral("cannot write the scheduler's configuration"));

  scheduler_.setProgram(QString::fromLatin1(SchedulerProgram));
  scheduler_.setArguments({QStringLiteral("-f"), QStringLiteral("-c"),
                           dir_->filePath(QStringLiteral("root/cupsd.conf")), QStringLiteral("-s"),
                           dir_->filePath(QStringLiteral("root/cups-files.conf"))});
  scheduler_.setProcessChannelMode(QProcess::MergedChannels);
  // The scheduler ends with the test program, also when that is killed.
  scheduler_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  scheduler_.start();
  if (!scheduler_.waitForStarted(5000))
    return fail(State::Failed, QStringLiteral("cupsd does not start: ") + scheduler_.errorString());
  if (!waitForSocket())
    return fail(State::Failed, QStringLiteral("cupsd does not answer on its socket: ") +
                                   QString::fromLocal8Bit(scheduler_.readAll()));

  pointClientsHere();
  for (const TestQueue& queue : queues_)
    if (!addQueue(queue)) return fail(State::Failed, problem_);
  if (!defaultQueue_.isEmpty() && !runAdmin({QStringLiteral("-d"), defaultQueue_}))
    return fail(State::Failed, problem_);
  state_ = State::Running;
  return state_;
}

void CupsTestServer::stop() {
  restoreClients();
  if (scheduler_.state() != QProcess::NotRunning) {
    scheduler_.terminate();
    if (!scheduler_.waitForFinished(5000)) {
      scheduler_.kill();
      scheduler_.waitForFinished(2000);
    }
  }
  dir_.reset();
  state_ = State::Stopped;
}

QString CupsTestServer::socketPath() const {
  return dir_ ? dir_->filePath(QStringLiteral("cups.sock")) : QString();
}

QString CupsTestServer::outputFile(const QString& queue) const {
  return dir_ ? dir_->filePath(QStringLiteral("out/%1.pdf").arg(queue)) : QString();
}

bool CupsTestServer::clearOutput(const QString& queue) const {
  const QString file = outputFile(queue);
  return !file.isEmpty() && (!QFile::exists(file) || QFile::remove(file));
}

QString CupsTestServer::log() const {
  if (!dir_) return {};
  QFile file(dir_->filePath(QStringLiteral("log/error_log")));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromLocal8Bit(file.readAll());
}

bool CupsTestServer::writeConfiguration() {
  QDir base(dir_->path());
  // The scheduler runs its filters as "lp": they must reach the spool inside this folder.
  QFile::setPermissions(base.path(), RunnableByAll);
  for (const char* sub :
       {"root", "spool", "spool/tmp", "cache", "state", "log", "out", "ppd", "bin", "bin/filter"})
    if (!base.mkpath(QLatin1String(sub))) return false;
  for (const char* sub : {"bin", "bin/filter", "out", "log"})
    QFile::setPermissions(base.filePath(QLatin1String(sub)), RunnableByAll);

  // Our own program folder: the system's helpers, and the one filter the queues use.
  if (!QFile::link(QLatin1String(SchedulerHelpers), base.filePath(QStringLiteral("bin/daemon"))))
    return false;
  if (!writeFile(base.filePath(QStringLiteral("bin/filter/pdfcopy")),
                 "#!/bin/sh\n"
                 "# Hands the job on unchanged: the file named last, or standard input.\n"
                 "if [ -n \"$6\" ]; then exec cat -- \"$6\"; else exec cat; fi\n",
                 RunnableByAll))
    return false;

  const QByteArray root = QFile::encodeName(base.path());
  const QByteArray files = "ServerRoot " + root + "/root\n" + "RequestRoot " + root + "/spool\n" +
                           "TempDir " + root + "/spool/tmp\n" + "CacheDir " + root + "/cache\n" +
                           "StateDir " + root + "/state\n" + "ServerBin " + root + "/bin\n" +
                           "DataDir /usr/share/cups\n" + "DocumentRoot /usr/share/cups/doc-root\n" +
                           "AccessLog " + root + "/log/access_log\n" + "ErrorLog " + root +
                           "/log/error_log\n" + "PageLog " + root + "/log/page_log\n" +
                           "FileDevice Yes\n"
                           "User lp\n"
                           "Group lp\n"
                           "SystemGroup root\n"
                           "Sandboxing Relaxed\n";
  const QByteArray scheduler =
      "LogLevel info\n"
      "Listen " +
      QFile::encodeName(socketPath()) +
      "\n"
      "Browsing No\n"
      "WebInterface No\n"
      "IdleExitTimeout 0\n"
      "ErrorPolicy abort-job\n"
      "DefaultAuthType None\n"
      "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
      "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
      "  </Limit>\n</Policy>\n";
  return writeFile(base.filePath(QStringLiteral("root/cups-files.conf")), files, ReadableByAll) &&
         writeFile(base.filePath(QStringLiteral("root/cupsd.conf")), scheduler, ReadableByAll);
}

bool CupsTestServer::waitForSocket() {
  const QString socket = socketPath();
  if (QFile::encodeName(socket).size() >= static_cast<int>(sizeof(sockaddr_un::sun_path))) {
    problem_ = QStringLiteral("socket path too long");
    return false;
  }
  // The scheduler is another process: poll until it listens, or give up.
  const QDeadlineTimer deadline(10000);
  while (!deadline.hasExpired()) {
    if (canConnect(socket)) return true;
    if (scheduler_.state() == QProcess::NotRunning) return false;
    QThread::msleep(10);
  }
  return false;
}

bool CupsTestServer::runAdmin(const QStringList& arguments) {
  QProcess admin;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("CUPS_SERVER"), socketPath());
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
  admin.setProcessEnvironment(environment);
  admin.setProcessChannelMode(QProcess::MergedChannels);
  admin.start(QString::fromLatin1(AdminProgram), arguments);
  const bool finished = admin.waitForFinished(15000);
  if (finished && admin.exitStatus() == QProcess::NormalExit && admin.exitCode() == 0) return true;
  problem_ = QStringLiteral("lpadmin %1 failed: %2")
                 .arg(arguments.join(QLatin1Char(' ')), QString::fromLocal8Bit(admin.readAll()));
  return false;
}

bool CupsTestServer::addQueue(const TestQueue& queue) {
  const QString ppd = dir_->filePath(QStringLiteral("ppd/%1.ppd").arg(queue.name));
  if (!writeFile(ppd, ppdFor(queue), ReadableByAll)) {
    problem_ = QStringLiteral("cannot write ") + ppd;
    return false;
  }
  QStringList arguments = {QStringLiteral("-p"),
                           queue.name,
                           QStringLiteral("-E"),
                           QStringLiteral("-v"),
                           QStringLiteral("file://") + outputFile(queue.name),
                           QStringLiteral("-P"),
                           ppd};
  if (queue.landscape)
    arguments << QStringLiteral("-o") << QStringLiteral("orientation-requested-default=4");
  return runAdmin(arguments);
}

void CupsTestServer::pointClientsHere() {
  if (clientsPointed_) return;
  // Whatever chose printers before (an outside server, a default printer of the user's)
  // stays out while the tests run.
  for (const char* name : {"CUPS_SERVER", "PRINTER", "LPDEST"})
    saved_.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
  qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));
  qunsetenv("PRINTER");
  qunsetenv("LPDEST");
  // The print library keeps the server it found first; tell it about this one.
  cupsSetServer(QFile::encodeName(socketPath()).constData());
  clientsPointed_ = true;
}

void CupsTestServer::restoreClients() {
  if (!clientsPointed_) return;
  for (const SavedVariable& variable : saved_) {
    if (variable.set) {
      qputenv(variable.name, variable.value);
    } else {
      qunsetenv(variable.name);
    }
  }
  saved_.clear();
  cupsSetServer(nullptr);  // back to the configured server
  clientsPointed_ = false;
}

CupsTestServer::JobCounts CupsTestServer::jobCounts(const QString& queue) const {
  JobCounts counts;
  if (state_ != State::Running) return counts;
  const QByteArray name = queue.toUtf8();
  cups_job_t* jobs = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ALL);
  for (int i = 0; i < n; ++i) {
    if (jobs[i].state == IPP_JSTATE_COMPLETED) {
      ++counts.completed;
    } else if (jobs[i].state < IPP_JSTATE_STOPPED) {
      ++counts.active;
    } else {
      counts.failed += QStringLiteral("job %1 %2; ")
                           .arg(jobs[i].id)
                           .arg(QLatin1String(stateName(jobs[i].state)));
    }
  }
  cupsFreeJobs(n, jobs);
  return counts;
}

int CupsTestServer::completedJobs(const QString& queue) const {
  return jobCounts(queue).completed;
}

QString CupsTestServer::waitForCompletedJobs(const QString& queue, int count, int timeoutMs) const {
  if (state_ != State::Running) return QStringLiteral("the test server is not running");
  // The jobs run in the scheduler's processes: poll their states until all have ended.
  const QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    const JobCounts counts = jobCounts(queue);
    if (!counts.failed.isEmpty()) return counts.failed + log();
    if (counts.active == 0 && counts.completed >= count) return {};
    if (deadline.hasExpired())
      return QStringLiteral("timed out: %1 of %2 jobs completed, %3 still active")
          .arg(counts.completed)
          .arg(count)
          .arg(counts.active);
    QThread::msleep(20);
  }
}

}  // namespace kelvor::testing
