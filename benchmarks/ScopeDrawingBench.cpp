// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing of a full redraw: the grid and all six channels, at the plot's design size and
// at full HD on a 96 dpi screen, at 3840 x 2160 on one of twice the density (lines two pixels
// wide), in both draw styles, and the plain one-segment-per-sample drawing beside it. Then
// long recordings of a reading a second (six channels of a day, one of a week) at full HD,
// zoomed from the whole recording down to a minute, with the size of their summaries.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "core/plot/PlotDrawing.h"
#include "support/PlainDrawing.h"

namespace kelvor {
namespace {

constexpr double LastSampleTime = 86390;  // a day's recording, one sample every ~5.4 s
constexpr double Pi = 3.14159265358979323846;

// Six full channels: sines of different periods and phases with noise of 0.15 (about 8 rows
// at full HD height), at whole seconds as a recording stores them.
const TraceStore& dayRecording() {
  static const TraceStore store = [] {
    TraceStore s;
    std::mt19937 random(20240611);
    std::normal_distribution<double> noise(0.0, 0.15);
    for (int ch = 0; ch < TraceStore::Channels; ++ch) {
      const double period = 86400.0 / (ch + 1);
      const double phase = ch * 0.9;
      const double offset = ch - 2.5;
      for (int i = 1; i <= TraceStore::LiveCapacity; ++i) {
        const double t = std::round((i - 1) * LastSampleTime / (TraceStore::LiveCapacity - 1));
        const double v = offset + 6 * std::sin(2 * Pi * t / period + phase) + noise(random);
        s.setSample(ch, i, static_cast<float>(v), static_cast<float>(t));
      }
      s.setCount(ch, TraceStore::LiveCapacity);
    }
    return s;
  }();
  return store;
}

// 24 h across the width in two-hour divisions; -10 .. 10 over the height in tenths.
ScaleParams dayScale(int w, int h) {
  ScaleParams scale;
  scale.SecondsAcross = 86400.0f;
  scale.XDivPixels = w / 12;
  scale.YDivPixels = h / 10;
  scale.YOffsetPixels = 0;
  scale.YBase = -10.0f;
  scale.YSpan = 20.0f;
  return scale;
}

// w x h device pixels at 4/3 pixels per point times the ratio.
void fullRedrawDrawing(benchmark::State& state, int w, int h, int ratio, DrawStyle style,
                       bool plain) {
  const TraceStore& store = dayRecording();
  const int pointWidth = w * 3 / 4 / ratio, pointHeight = h * 3 / 4 / ratio;
  const ScaleParams scale = dayScale(pointWidth, pointHeight);
  Raster raster(w, h);
  raster.showPoints(pointWidth, pointHeight, ratio);
  ChannelPens pens;
  // Not cleared between runs: drawing costs the same on any picture.
  for (auto _ : state) {
    drawGrid(raster, scale);
    const ChannelsDrawn drawn = plain ? drawChannelsPlain(raster, store, scale, style, pens)
                                      : drawChannels(raster, store, scale, style, pens);
    benchmark::DoNotOptimize(drawn);
    benchmark::DoNotOptimize(raster.data());
    benchmark::ClobberMemory();
  }
}

// A reading a second over `seconds` in `channels` channels: noisy sines as above.
std::unique_ptr<TraceStore> everySecond(int channels, int seconds) {
  auto s = std::make_unique<TraceStore>(seconds);
  std::mt19937 random(20261207);
  std::normal_distribution<double> noise(0.0, 0.15);
  for (int ch = 0; ch < channels; ++ch) {
    for (int i = 1; i <= seconds; ++i) {
      const double v = ch - 2.5 + 6 * std::sin(2 * Pi * i / 86400.0 * (ch + 1)) + noise(random);
      s->setSample(ch, i, static_cast<float>(v), static_cast<float>(i - 1));
    }
    s->setCount(ch, seconds);
  }
  return s;
}

// Full HD at 96 dpi (1440 x 810 points), `shown` seconds across from `left` on.
void zoomedRedraw(benchmark::State& state, const TraceStore* store, int channels, double shown,
                  double left) {
  Raster raster(1920, 1080);
  raster.showPoints(1440, 810, 1);
  ScaleParams scale = dayScale(1440, 810);
  scale.SecondsAcross = static_cast<float>(shown);
  scale.LeftTime = left;
  ChannelPens pens;
  for (auto _ : state) {
    drawGrid(raster, scale);
    const ChannelsDrawn drawn = drawChannels(raster, *store, scale, DrawStyle::EveryReading, pens);
    benchmark::DoNotOptimize(drawn);
    benchmark::DoNotOptimize(raster.data());
    benchmark::ClobberMemory();
  }
  std::size_t summary = 0;
  for (int ch = 0; ch < channels; ++ch) summary += store->summary(ch).memoryBytes();
  state.counters["summary_MiB"] = static_cast<double>(summary) / (1024.0 * 1024.0);
}

void registerLong() {
  static const std::unique_ptr<TraceStore> day = everySecond(6, 86400);
  static const std::unique_ptr<TraceStore> week = everySecond(1, 604800);
  struct Long {
    const char* name;
    const TraceStore* store;
    int channels;
    double seconds;
  };
  for (const Long& recording :
       {Long{"6x86400", day.get(), 6, 86400.0}, Long{"1x604800", week.get(), 1, 604800.0}}) {
    // The whole recording, a tenth, an hour and a minute in the middle.
    for (const double shown : {recording.seconds, recording.seconds / 10, 3600.0, 60.0}) {
      const std::string name = std::string("Zoomed/") + recording.name + "/1920x1080/" +
                               std::to_string(static_cast<long>(shown)) + "s";
      benchmark::RegisterBenchmark(name.c_str(), zoomedRedraw, recording.store, recording.channels,
                                   shown, (recording.seconds - shown) / 2)
          ->Unit(benchmark::kMicrosecond)
          ->MinTime(0.1)
          ->Repetitions(15)
          ->ReportAggregatesOnly(true);
    }
  }
}

void registerAll() {
  registerLong();
  struct Size {
    int w, h, ratio;
  };
  for (const bool plain : {false, true}) {
    for (const Size size : {Size{585, 213, 1}, Size{1920, 1080, 1}, Size{3840, 2160, 2}}) {
      for (const DrawStyle style : {DrawStyle::EveryReading, DrawStyle::OnePerColumn}) {
        const std::string name = std::string(plain ? "Plain" : "Redraw") + "/" +
                                 std::to_string(size.w) + "x" + std::to_string(size.h) + "/" +
                                 (style == DrawStyle::EveryReading ? "1/s" : "1/Spalte");
        benchmark::RegisterBenchmark(name.c_str(), fullRedrawDrawing, size.w, size.h, size.ratio,
                                     style, plain)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.1)
            ->Repetitions(15)
            ->ReportAggregatesOnly(true);
      }
    }
  }
}

}  // namespace
}  // namespace kelvor

int main(int argc, char** argv) {
  kelvor::registerAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
