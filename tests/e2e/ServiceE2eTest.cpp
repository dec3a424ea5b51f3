// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-record under the restrictions of its systemd service that the kernel enforces: the
// system-call allow list, no writable-and-executable memory, three socket address families.
// The wrapper applies them as systemd would; the unit itself is judged by the install test.
#include <signal.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <string>

#include "e2e/E2eSupport.h"
#include "support/MqttBroker.h"

namespace kelvor::e2e {
namespace {

using testing::MqttBroker;

bool systemdAnalyzeMissing() {
  return testing::program(QStringLiteral("systemd-analyze")).isEmpty();
}

// How the program ended: "exit <code>: <output>", or "signal <number>" (-1: it hung).
std::string run(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(60000)) return "signal -1";
  if (process.exitStatus() == QProcess::CrashExit)
    return "signal " + std::to_string(process.exitCode());
  return "exit " + std::to_string(process.exitCode()) + ": " +
         (process.readAllStandardOutput() + process.readAllStandardError()).toStdString();
}

// Each action works without the sandbox; in it, it works, fails with this error, or (empty
// text) is a system call outside the list, which kills the program with SIGSYS. An action the
// machine itself refuses (a kernel without 32-bit system calls kills the probe with SIGSEGV)
// says nothing of the sandbox: its row is skipped, the others still run.
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
  std::string skipped;
  for (const auto& [action, refusal] : cases) {
    SCOPED_TRACE(action.toStdString());
    const std::string unconfined = run(KELVOR_SANDBOX_PROBE_EXE, {action});
    if (unconfined != "exit 0: ok\n") {
      skipped += " " + action.toStdString() + " (ends without the sandbox with " +
                 unconfined.substr(0, unconfined.find(':')) + ")";
      continue;
    }
    EXPECT_EQ(run(KELVOR_SANDBOX_EXE, {KELVOR_SANDBOX_PROBE_EXE, action}),
              refusal.isEmpty() ? "signal " + std::to_string(SIGSYS)
                                : "exit 0: " + refusal.toStdString() + '\n');
  }
  if (!skipped.empty())
    GTEST_SKIP() << "the other rows were checked; this machine itself refuses:" << skipped;
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
  QProcessEnvironment environment = home.environment(QStringLiteral("en_US.UTF-8"));
  environment.insert("KELVOR_MQTT_PASSWORD", MqttBroker::Password);
  // The sanitized build: LeakSanitizer's check at the end stops the threads with ptrace, which
  // the service may not call; everything else of AddressSanitizer runs under the sandbox.
  environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
  const QString file = home.file("f.csv");
  EXPECT_EQ(run(KELVOR_SANDBOX_EXE,
                {KELVOR_RECORD_EXE, "--port", "COM1", "--count", "10", "--output", file, "--mqtt",
                 QString("localhost:%1").arg(broker.port()), "--mqtt-topic", "lab/dmm",
                 "--mqtt-user", MqttBroker::User},
                environment),
            "exit 0: ");
  const std::vector<double> ramp = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(journalValues(contentsOf(file)), ramp);
  EXPECT_TRUE(waitUntil([&] { return publishedValues(broker) == ramp; }, 5s));
}

}  // namespace
}  // namespace kelvor::e2e
