// SPDX-License-Identifier: GPL-3.0-or-later
// The journal: appending one reading (the row's text and one write() to the system), the
// periodic sync, and loading a day's journal (86 400 readings) into a channel: reading its
// text and replaying it through the recording with the plot at its design size; and opening a
// week's journal (604 800 readings) for review: read from disk a piece at a time into a channel
// at full resolution, with its summary; and a day of live readings into the plot, with the heap
// it leaves grown.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "core/journal/JournalTraces.h"
#include "core/plot/ScopeController.h"
#include "core/session/LiveRecording.h"
#include "platform/JournalFile.h"
#include "support/DesignPlotArea.h"
#include "support/FakeGroup.h"

namespace kelvor {
namespace {

constexpr WallTime Start{1796562187120, 3600};

// A scratch folder under /var/tmp (on disk, where /tmp may be memory) for the journal files.
std::string scratchFolder() {
  char pattern[] = "/var/tmp/kelvor-bench-XXXXXX";
  const char* made = mkdtemp(pattern);
  return made ? made : "/tmp";
}

std::string frameAt(int second) {
  char frame[16];
  std::snprintf(frame, sizeof frame, "DC %6.3f V  \r", std::sin(second / 600.0) * 5);
  return frame;
}

// One reading into an open journal: the row's text and its write(), no sync.
void appendReading(benchmark::State& state) {
  JournalFile file(scratchFolder());
  file.open("append.csv");
  JournalRow row = journalRowOf(frameAt(7), {1.234f, "", "", ""});
  for (auto _ : state) {
    row.time.utcMs += 1000;
    row.elapsedMs += 1000;
    benchmark::DoNotOptimize(file.append(journalLine(row, journalStyleFor(','))));
  }
  file.finish();
}

// The sync that follows at most every 10 seconds, with the 10 rows written since the last.
void syncAfterTenReadings(benchmark::State& state) {
  JournalFile file(scratchFolder());
  file.open("sync.csv");
  JournalRow row = journalRowOf(frameAt(7), {1.234f, "", "", ""});
  const std::string line = journalLine(row, journalStyleFor(','));
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < 10; ++i) file.append(line);
    state.ResumeTiming();
    benchmark::DoNotOptimize(file.sync());
  }
  file.finish();
}

// A window at its design size, as in the day-long test of the plot.
struct Window : ScopeView, AlarmSound {
  bool isMinimised() const override { return false; }
  bool isShown() const override { return true; }
  PlotArea layoutPlotArea() override { return testing::designPlotArea(); }
  void applyTimeAxis(const XAxisLayout&) override {}
  void applyYAxis(const YAxisLayout&) override {}
  void setBusy(bool) override {}
  void plotChanged(const RasterRect&) override {}
  DrawStyle drawStyle() const override { return DrawStyle::EveryReading; }
  void showDurationItem(int) override {}
  void showYMinItem(int) override {}
  void showYMaxItem(int) override {}
  void beeps(int) override {}
};

// One meter on the tick feeding a recording drawn by a plot at its design size, with
// automatic scaling and no journal file.
struct PlottedMeter {
  explicit PlottedMeter(Window& window)
      : meter(Start.local(), {{true, {}}}, window),
        scope(recording.state(), recording.traces(), window, ',') {
    meter.meters.front()->reader.journal().attach(nullptr);
    recording.setAutoScale(true);
    recording.attachPlot(&scope);
    recording.recording().addListener(&scope);
    scope.setStoreIntervalHandler([this](int readings) { recording.setStoreInterval(readings); });
    scope.selectDurationItem(DefaultDurationItem);
  }
  testing::FakeGroup meter;
  LiveRecording& recording = meter.recording;
  ScopeController scope;
};

std::string journalOf(int seconds) {
  std::string text = journalHeader(journalStyleFor(','));
  for (int second = 0; second < seconds; ++second) {
    std::string frame = frameAt(second);
    const DecodedFrame decoded = decodeFrame(frame, ',');
    JournalRow row = journalRowOf(frameAt(second), decoded);
    row.time = {Start.utcMs + second * 1000LL, Start.offsetSeconds};
    row.elapsedMs = second * 1000LL;
    text += journalLine(row, journalStyleFor(','));
  }
  return text;
}

void loadDayJournal(benchmark::State& state) {
  const std::string text = journalOf(86400);
  Window window;
  PlottedMeter plotted(window);
  LiveRecording& recording = plotted.recording;
  ScopeController& scope = plotted.scope;
  for (auto _ : state) {
    state.PauseTiming();
    scope.selectDurationItem(DefaultDurationItem);
    state.ResumeTiming();
    const ParsedJournal journal = parseJournal(text);
    recording.replay(journal.rows, 0);
    benchmark::DoNotOptimize(recording.traces().count(0));
  }
  state.counters["samples"] = recording.traces().count(0);
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void openWeekJournal(benchmark::State& state) {
  constexpr int Week = 604800;
  const std::string path = scratchFolder() + "/week.csv";
  const std::string text = journalOf(Week);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out || std::fwrite(text.data(), 1, text.size(), out) != text.size())
    state.SkipWithError("write");
  if (out) std::fclose(out);
  std::vector<char> piece(1 << 20);
  TraceStore store(Week);
  for (auto _ : state) {
    JournalTraces traces(store, 0);
    std::FILE* in = std::fopen(path.c_str(), "rb");
    for (std::size_t n = 0; in && (n = std::fread(piece.data(), 1, piece.size(), in)) > 0;)
      traces.feed(piece.data(), n);
    if (in) std::fclose(in);
    const ParsedJournal read = traces.finish();
    if (read.badLine != 0 || read.leftOut != 0 || store.count(0) != Week)
      state.SkipWithError("not read");
  }
  std::remove(path.c_str());
  state.counters["summary_MiB"] = static_cast<double>(store.summary(0).memoryBytes()) / (1 << 20);
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

// Bytes held on glibc's heap now; 0 where that cannot be measured (under AddressSanitizer).
long long heapInUse() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long long>(info.uordblks + info.hblkhd);
#else
  return 0;
#endif
}

// A day of live readings (86 400) into a recording with the plot at its design size; the
// heap's growth after the first ten minutes (samples go into the preallocated store, the
// picture into a raster of fixed size, so it stays near 0).
void recordDayLive(benchmark::State& state) {
  long long growth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Window window;
    auto plotted = std::make_unique<PlottedMeter>(window);
    plotted->recording.recorder().setActive(true);
    state.ResumeTiming();
    long long afterWarmUp = 0;
    for (int second = 0; second < 86400; ++second) {
      if (second == 600) afterWarmUp = heapInUse();
      plotted->meter.tick({frameAt(second)});
      plotted->meter.meters.front()->link.written.clear();  // the fake port's record of polls
    }
    growth = heapInUse() - afterWarmUp;
  }
  state.counters["heap_growth_B"] = static_cast<double>(growth);
}

BENCHMARK(appendReading)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(syncAfterTenReadings)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(loadDayJournal)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(recordDayLive)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(openWeekJournal)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvor

BENCHMARK_MAIN();
