// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing one reading: queuing it on the recording's thread (all the recording ever
// waits for), and the round trip until a local broker (tests/support's mosquitto) has
// acknowledged it.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <thread>

#include "platform/MqttPublisher.h"
#include "support/MqttBroker.h"

namespace kelvor {
namespace {

JournalRow reading() {
  JournalRow row;
  row.time = {1796562187120, 3600};
  row.elapsedMs = 12001;
  row.value = 1.234f;
  row.unit = "V";
  row.mode = "DC";
  row.status = ReadingStatus::Ok;
  return row;
}

void queueReading(benchmark::State& state) {
  MqttPublisher publisher;
  PublishSettings settings;
  settings.enabled = true;
  settings.host = "127.0.0.1";
  settings.port = 9;  // nobody answers: every reading stays queued (the oldest dropped)
  publisher.configure(settings, "bench");
  const JournalRow row = reading();
  for (auto _ : state) publisher.readingRecorded(row, false);
}

void roundTrip(benchmark::State& state) {
  testing::MqttBroker broker;
  if (!broker.running()) {
    state.SkipWithError("no broker (Debian: mosquitto mosquitto-clients)");
    return;
  }
  MqttPublisher publisher;
  PublishSettings settings;
  settings.enabled = true;
  settings.host = "127.0.0.1";
  settings.port = broker.port();
  settings.user = testing::MqttBroker::User;
  settings.password = testing::MqttBroker::Password;
  publisher.configure(settings, "bench");
  const JournalRow row = reading();
  publisher.readingRecorded(row, false);
  while (publisher.acknowledged() == 0) std::this_thread::yield();  // connected
  for (auto _ : state) {
    const std::uint64_t before = publisher.acknowledged();
    publisher.readingRecorded(row, false);
    while (publisher.acknowledged() == before) std::this_thread::yield();
  }
}

BENCHMARK(queueReading)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(roundTrip)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kelvor

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // the broker is a child process
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
