// The drawing of a full redraw: the grid and all six channels, at the plot's design size and
// at full HD on a 96 dpi screen, at 3840 x 2160 on one of twice the density (lines two pixels
// wide), in both draw styles, and the plain one-segment-per-sample drawing beside it.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>

#include "core/scope/PlotDrawing.h"

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
  RecordingState pens;
  // Not cleared between runs: drawing costs the same on any picture.
  for (auto _ : state) {
    DrawGrid(raster, scale);
    const ChannelsDrawn drawn = plain ? drawChannelsPlain(raster, store, scale, style, pens)
                                      : drawChannels(raster, store, scale, style, pens);
    benchmark::DoNotOptimize(drawn);
    benchmark::DoNotOptimize(raster.data());
    benchmark::ClobberMemory();
  }
}

void registerAll() {
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
