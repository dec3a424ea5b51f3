// SPDX-License-Identifier: GPL-3.0-or-later
// The live page's plot picture at full HD (ratio 1), drawn and PNG-encoded by the code that
// kelvor-record's server runs: six channels of a day at a reading a second, once as a store
// of all 86,400 samples a channel, once as the server's feed holds them after that day.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <memory>
#include <random>

#include "record/LiveFeed.h"
#include "record/PlotPicture.h"

namespace kelvor {
namespace {

constexpr int DaySeconds = 86400;
constexpr double Pi = 3.14159265358979323846;

// Channel ch's reading at second i: a sine of its own period and offset with noise.
float dayValue(int ch, int i, std::mt19937& random) {
  std::normal_distribution<double> noise(0.0, 0.15);
  return static_cast<float>(ch - 2.5 + 6 * std::sin(2 * Pi * i / DaySeconds * (ch + 1)) +
                            noise(random));
}

const TraceStore& wholeDay() {
  static const std::unique_ptr<TraceStore> store = [] {
    auto s = std::make_unique<TraceStore>(DaySeconds);
    std::mt19937 random(20261208);
    for (int ch = 0; ch < TraceStore::Channels; ++ch) {
      for (int i = 1; i <= DaySeconds; ++i)
        s->setSample(ch, i, dayValue(ch, i, random), static_cast<float>(i - 1));
      s->setCount(ch, DaySeconds);
      s->setUnit(ch, "V");
    }
    return s;
  }();
  return *store;
}

const TraceStore& fedDay() {
  static const TraceStore store = [] {
    LiveFeed feed('.');
    std::mt19937 random(20261208);
    JournalRow row;
    row.unit = "V";
    row.mode = "DC";
    row.status = ReadingStatus::Ok;
    for (int i = 1; i <= DaySeconds; ++i) {
      row.elapsedMs = (i - 1) * 1000LL;
      row.time = {1796562187000 + row.elapsedMs, 3600};
      for (int ch = 0; ch < TraceStore::Channels; ++ch) {
        row.channel = ch + 1;
        row.value = dayValue(ch, i, random);
        feed.reading(row);
      }
    }
    return feed.traces();
  }();
  return store;
}

void fullHdPicture(benchmark::State& state, const TraceStore& (*day)()) {
  const TraceStore& store = day();
  HttpAccess::PlotSize size;
  size.width = 1920;
  size.height = 1080;
  size.ratio = 1;
  // As the server keeps it for its whole life: its buffers already the picture's size.
  static PlotPicture picture('.');
  std::size_t bytes = static_cast<std::size_t>(picture.png(store, size).size());
  for (auto _ : state) {
    const QByteArray png = picture.png(store, size);
    bytes = static_cast<std::size_t>(png.size());
    benchmark::DoNotOptimize(png.data());
  }
  state.counters["png_KiB"] = static_cast<double>(bytes) / 1024.0;
}

void registerAll() {
  for (const auto& [name, day] : {std::pair{"Day/6x86400/1920x1080", &wholeDay},
                                  std::pair{"Feed/6x86400/1920x1080", &fedDay}})
    benchmark::RegisterBenchmark(name, fullHdPicture, day)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.1)
        ->Repetitions(15)
        ->ReportAggregatesOnly(true);
}

}  // namespace
}  // namespace kelvor

int main(int argc, char** argv) {
  // As kelvor-record with --http: a graphical side for the labels' fonts, drawn offscreen.
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  QGuiApplication app(argc, argv);
  kelvor::registerAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
