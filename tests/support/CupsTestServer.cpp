// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CupsTestServer.h"

#include <cups/cups.h>
#include <sys/prctl.h>

#include <QFile>
#include <QLibraryInfo>
#include <QThread>
#include <csignal>

namespace kelvor::testing {

CupsTestServer::CupsTestServer() : dir_(QStringLiteral("/tmp/kvcups-XXXXXX")) {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                     QStringLiteral("/printsupport/libcupsprintersupport.so"))) {
    unavailable_ = true;
    problem_ = QStringLiteral("Qt's CUPS print support is missing");
    return;
  }
  // The scheduler ends with the test program, also when that is killed.
  script_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  script_.start(QStringLiteral("/bin/sh"), {QStringLiteral(KELVOR_CUPS_TEST_SERVER), dir_.path()});
  while (!script_.canReadLine() && script_.waitForReadyRead(30000)) continue;
  if (script_.readLine().trimmed() != "ready") {
    script_.waitForFinished(5000);
    unavailable_ = script_.exitCode() == 77;
    problem_ = QStringLiteral("cups-test-server.sh: ") +
               QString::fromLocal8Bit(script_.readAllStandardError());
    return;
  }
  // Qt's print support and the CUPS library ask this server only.
  const QByteArray socket = QFile::encodeName(dir_.filePath(QStringLiteral("cups.sock")));
  qputenv("CUPS_SERVER", socket);
  for (const char* name : {"PRINTER", "LPDEST"}) qunsetenv(name);
  cupsSetServer(socket.constData());
}

CupsTestServer::~CupsTestServer() {
  if (script_.state() == QProcess::NotRunning) return;
  script_.terminate();
  script_.waitForFinished(10000);
  cupsSetServer(nullptr);
  qunsetenv("CUPS_SERVER");
}

QString CupsTestServer::outputFile(const QString& queue) const {
  return dir_.filePath(QStringLiteral("out/%1.pdf").arg(queue));
}

QString CupsTestServer::waitForJobs(const QString& queue) const {
  // The jobs run in the scheduler's processes: poll their states until all have ended.
  for (int tries = 0; tries < 1000; ++tries, QThread::msleep(20)) {
    cups_job_t* jobs = nullptr;
    const int n =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int completed = 0;
    QString failed;
    for (int i = 0; i < n; ++i) {
      if (jobs[i].state == IPP_JSTATE_COMPLETED) ++completed;
      if (jobs[i].state > IPP_JSTATE_STOPPED && jobs[i].state != IPP_JSTATE_COMPLETED)
        failed += QStringLiteral("job %1 ended in state %2; ").arg(jobs[i].id).arg(jobs[i].state);
    }
    cupsFreeJobs(n, jobs);
    if (!failed.isEmpty()) return failed;
    if (n > 0 && completed == n) return {};
  }
  return QStringLiteral("no job completed within 20 s");
}

}  // namespace kelvor::testing
