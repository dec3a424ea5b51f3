// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-record under the restrictions of its systemd service that the kernel enforces: the
// system-call allow list, no writable-and-executable memory, three socket address families.
// The wrapper applies them as systemd would; the unit itself is judged by the install test.
#include <signal.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "e2e/E2eSupport.h"
#include "support/MqttBroker.h"

namespace kelvor::e2e {
namespace {

using testing::MqttBroker;

bool systemdAnalyzeMissing() {
  return testing::program(QStringLiteral("systemd-analyze")).isEmpty();
}

struct Ended {
  QProcess::ExitStatus status;
  int code;  // the exit code, or the signal that ended it
  QString output;
};

Ended run(const QString& program, const QStringList& arguments,
          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  const bool ended = process.waitForFinished(60000);
  return {ended ? process.exitStatus() : QProcess::CrashExit, ended ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
}

// Each action works without the sandbox; in it, it works, fails with this error, or (empty
// text) is a system call outside the list, which kills the program with SIGSYS.
TEST(ServiceE2e, TheSandboxRefusesWhatTheServiceMayNotDoAndNothingElse) {
  if (systemdAnalyzeMissing()) GTEST_SKIP() << "systemd-analyze is not installed";
  const std::pair<QString, QString> cases[] = {
      {"socket-unix", "ok"},
      {"socket-inet", "ok"},
      {"socket-inet6", "ok"},
      {"socket-netlink", "Address family not supported by protocol"},
      {"mmap-write-exec", "Operation not permitted"},
      {"mprotect-exec", "Operation not permitted"},
      {"pkey_mprotect-exec", "Operation not permitted"},
      {"shmat-exec", "Operation not permitted"},
      {"ptrace", ""},
#ifdef __x86_64__
      {"i386-getpid", ""},
#endif
  };
  for (const auto& [action, refusal] : cases) {
    SCOPED_TRACE(action.toStdString());
    const Ended plain = run(KELVOR_SANDBOX_PROBE_EXE, {action});
    EXPECT_EQ(plain.status, QProcess::NormalExit);
    EXPECT_EQ(plain.output, "ok\n");
    const Ended boxed = run(KELVOR_SANDBOX_EXE, {KELVOR_SANDBOX_PROBE_EXE, action});
    if (refusal.isEmpty()) {
      EXPECT_EQ(boxed.status, QProcess::CrashExit);
      EXPECT_EQ(boxed.code, SIGSYS);
    } else {
      EXPECT_EQ(boxed.status, QProcess::NormalExit);
      EXPECT_EQ(boxed.output, refusal + '\n');
    }
  }
}

// The values of the readings published on "lab/dmm/reading".
std::vector<double> publishedValues(MqttBroker& broker) {
  std::vector<double> values;
  for (const QString& message : broker.received().filter(QRegularExpression("^lab/dmm/reading ")))
    values.push_back(QJsonDocument::fromJson(message.section(' ', 1).toUtf8())["value"].toDouble());
  return values;
}

// The broker is named, not numbered: the name lookup runs under the restrictions too.
TEST(ServiceE2e, TheRecorderRecordsAndPublishesUnderTheServicesRestrictions) {
  if (systemdAnalyzeMissing()) GTEST_SKIP() << "systemd-analyze is not installed";
  MqttBroker broker;
  if (!broker.problem().isEmpty()) GTEST_SKIP() << broker.problem().toStdString();
  ASSERT_TRUE(broker.subscribe());
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,1"});
  ASSERT_TRUE(sim.ready());
  QProcessEnvironment environment = home.environment(QStringLiteral("en_US.UTF-8"));
  environment.insert("KELVOR_MQTT_PASSWORD", MqttBroker::Password);
  // The sanitized build: LeakSanitizer's check at the end stops the threads with ptrace, which
  // the service may not call; everything else of AddressSanitizer runs under the sandbox.
  environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
  const QString file = home.file("f.csv");
  const Ended recorder = run(KELVOR_SANDBOX_EXE,
                             {KELVOR_RECORD_EXE, "--port", "COM1", "--count", "10", "--output",
                              file, "--mqtt", QString("localhost:%1").arg(broker.port()),
                              "--mqtt-topic", "lab/dmm", "--mqtt-user", MqttBroker::User},
                             environment);
  EXPECT_EQ(recorder.status, QProcess::NormalExit);
  EXPECT_EQ(recorder.code, 0);
  EXPECT_EQ(recorder.output, "");
  const std::vector<double> ramp = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(journalValues(contentsOf(file)), ramp);
  EXPECT_TRUE(waitUntil([&] { return publishedValues(broker) == ramp; }, 5s));
}

}  // namespace
}  // namespace kelvor::e2e
