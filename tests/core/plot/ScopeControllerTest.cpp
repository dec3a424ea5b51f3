// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/ScopeController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <tuple>
#include <vector>

#include "core/plot/PlotReadout.h"
#include "core/recording/ValueLists.h"
#include "support/DesignPlotArea.h"
#include "support/FakeGroup.h"
#include "support/TraceStoreFill.h"

namespace kelvor {
namespace {

constexpr LocalSeconds Eight = 20793LL * 86400 + 8 * 3600;

// The plot attached to a one-meter recording; the fixture plays the main window at the design size
// (showing nothing else).
class ScopeControllerTest : public ::testing::Test, public ScopeView, public AlarmSound {
 protected:
  ScopeControllerTest() {
    recording.setAutoScale(true), recording.attachPlot(&scope);
    recording.recording().addListener(&scope);
    scope.setStoreIntervalHandler([this](int readings) { recording.setStoreInterval(readings); });
    resetYLists();
    scope.selectDurationItem(DefaultDurationItem);  // 0:15
    durationShown.clear();
  }
  void resetYLists() {  // 0 .. 1.5
    scope.setYMinItemSilently(DefaultYMinItem), scope.setYMaxItemSilently(DefaultYMaxItem);
    scope.setYRange(0.0f, 1.5f);
  }
  void readingAt(int seconds, std::string frame) {
    clock.set(Eight + seconds), meters.tick({frame}, 0);
  }
  // ScopeView
  bool isMinimised() const override { return false; }
  bool isShown() const override { return shown; }
  PlotArea layoutPlotArea() override { return testing::designPlotArea(pixelsPerPoint, lineWidth); }
  void applyTimeAxis(const XAxisLayout&) override {}
  void applyYAxis(const YAxisLayout&) override {}
  void setBusy(bool) override {}
  void plotChanged(const RasterRect& area) override { changed = area; }
  DrawStyle drawStyle() const override { return style; }
  void showDurationItem(int item) override { durationShown.push_back(item); }
  void showYMinItem(int item) override { yMinShown = item; }
  void showYMaxItem(int item) override { yMaxShown = item; }
  void beeps(int) override {}
  long pixelsInColumn(int x, int palette = 10) {
    const std::set<testing::Pixel> pixels = testing::pixelsIn(scope.raster(), paletteRgb(palette));
    return std::count_if(pixels.begin(), pixels.end(), [x](auto& p) { return p.first == x; });
  }
  // The lengths of the runs of a colour along the rows (or columns) of the picture, leaving
  // out runs that fill a whole row (column): lines that cross it.
  std::set<int> runLengths(std::uint32_t rgb, bool alongRows) const {
    const Raster& r = scope.raster();
    const int lines = alongRows ? r.height() : r.width(),
              length = alongRows ? r.width() : r.height();
    std::set<int> found;
    for (int i = 0; i < lines; ++i)
      for (int k = 0, run = 0; k <= length; ++k) {
        const bool on = k < length && r.pixel(alongRows ? k : i, alongRows ? i : k) == rgb;
        if (!on && run > 0 && run < length) found.insert(run);
        run = on ? run + 1 : 0;
      }
    return found;
  }

  double pixelsPerPoint = 4.0 / 3;  // 96 dpi
  int lineWidth = 1, yMinShown = -1, yMaxShown = -1;
  bool shown = true;
  DrawStyle style = DrawStyle::EveryReading;
  std::vector<int> durationShown;
  RasterRect changed;
  testing::FakeGroup meters{Eight, {{true, {}}}, *this};
  testing::FakeClock& clock = meters.clock;
  LiveRecording& recording = meters.recording;
  const RecordingState& state = recording.state();
  TraceStore& store = recording.traces();
  Recorder& recorder = recording.recorder();
  ScopeController scope{state, store, *this, ','};
};

TEST_F(ScopeControllerTest, AutoRangeYWidensToTheNextListValueAndTheEndsStayApart) {
  // Rows: lowest and highest value; lower item, upper item, YMin, YMax then.
  using Row = std::array<float, 6>;
  for (const Row& r : {Row{3.2f, 3.2f, 28, 19, 0, 5}, Row{-0.3f, -0.3f, 31, 22, -0.5f, 1.5f},
                       Row{-5000, 5000, 57, 0, -1000, 1000}, Row{1e33f, -1e33f, 28, 22, 0, 1.5f}}) {
    resetYLists();
    scope.autoRangeValues(r[0], r[1]);
    EXPECT_EQ((Row{r[0], r[1], static_cast<float>(scope.yMinItem()),
                   static_cast<float>(scope.yMaxItem()), scope.YMin(), scope.YMax()}),
              r);
  }
  // Choosing one end in its list moves the other one past it.
  scope.selectYMinItem(18);  // 5 in the lower list pushes the upper end to 7,5
  EXPECT_EQ((std::vector<float>{scope.YMin(), scope.YMax(), float(yMaxShown)}),
            (std::vector<float>{5, 7.5f, 18}));
  scope.selectYMaxItem(32);  // -0,5 in the upper list pushes the lower end to -0,75
  EXPECT_EQ((std::vector<float>{scope.YMin(), scope.YMax(), float(yMinShown)}),
            (std::vector<float>{-0.75f, -0.5f, 32}));
  // A hidden window takes each end's value with its item.
  shown = false;
  scope.selectYMaxItem(12), scope.selectYMinItem(30);
  EXPECT_EQ((std::vector<float>{scope.YMin(), scope.YMax()}), (std::vector<float>{-0.25f, 40}));
}

// The captions that printing takes: the time labels and unit as laid out; Y labels above the
// highest grid line hide but keep their captions.
TEST_F(ScopeControllerTest, CaptionsFollowTheAxisLayouts) {
  const AxisCaptions& c = scope.captions();
  auto firstNine = [](const std::vector<AxisCaption>& labels) {  // "-" where hidden
    std::string texts;
    for (std::size_t i = 0; i < 9; ++i) texts += (labels[i].visible ? labels[i].text : "-") + " ";
    return texts;
  };
  scope.selectYMaxItem(12);  // 0 .. 40: nine lines
  scope.selectYMaxItem(11);  // 0 .. 50: six lines
  scope.selectDurationItem(0);
  EXPECT_EQ(std::vector<std::string>(
                {firstNine(c.time), firstNine(c.y), c.y[6].text + " " + c.y[8].text, c.unit.text}),
            std::vector<std::string>({"0:00 3:00 6:00 9:00 12:00 15:00 18:00 21:00 24:00 ",
                                      "0 10 20 30 40 50 - - - ", "30 40", "t in h -->"}));
  // Readings from 3 minutes before the start: the picture begins a whole division before.
  scope.setLiveStart(-180);
  EXPECT_EQ(std::pair(firstNine(c.time), scope.scale().LeftTime),
            std::pair(std::string("-3:00 0:00 3:00 6:00 9:00 12:00 15:00 18:00 21:00 "), -10800.0));
}

// A zoomed view stays where it is while readings arrive beyond it: the duration is not widened,
// the values not re-ranged, and the marker tells the newest value it hides. Following live
// again widens the duration at the next reading.
TEST_F(ScopeControllerTest, AHeldViewStaysWhileReadingsGoOnAndFollowingLiveCatchesUp) {
  recorder.setActive(true);
  readingAt(0, "DC    0.5 V  \r");
  const int interval = scope.scale().StoreInterval;
  scope.zoomTime(0.1, 0);  // ten times the span: readings are still stored at the live rate
  EXPECT_EQ(scope.scale().StoreInterval, interval);
  scope.zoomTime(40, 0), scope.zoomValues(2, 0);  // then the first quarter of 0:15
  const ScaleParams held = scope.scale();
  readingAt(1200, "DC    7.5 V  \r");  // past 0:15 and above 1,5
  EXPECT_EQ(std::tuple(scope.durationItem(), scope.yMaxItem(), scope.scale().LeftTime,
                       static_cast<double>(scope.scale().SecondsAcross), scope.scale().YSpan),
            std::tuple(DefaultDurationItem, DefaultYMaxItem, held.LeftTime,
                       static_cast<double>(held.SecondsAcross), held.YSpan));
  const auto marker = [&] { return std::pair(scope.liveMarker().id, scope.liveMarker().args); };
  EXPECT_EQ(marker(), std::pair(MessageId::PausedWithValue, std::vector<std::string>{"7,5"}));
  scope.followLive();
  EXPECT_EQ(marker(), std::pair(MessageId::LiveMarker, std::vector<std::string>{}));
  readingAt(1201, "DC    7.5 V  \r");
  EXPECT_TRUE(scope.durationItem() < DefaultDurationItem && scope.yMaxItem() < DefaultYMaxItem);
  scope.zoomTime(1e6, 0.5);  // no closer than ten seconds across
  EXPECT_TRUE(scope.scale().SecondsAcross >= 10 && scope.scale().SecondsAcross < 11)
      << scope.scale().SecondsAcross;
}

TEST_F(ScopeControllerTest, LiveLinesBreakAtUnusableReadingsAndKeepOnePointPerColumn) {
  // Rows: style, the reading at 100 s, the second of the last one, whether the column
  // between the two carries the line.
  for (const auto& [rowStyle, middle, lastSecond, joined] :
       std::vector<std::tuple<DrawStyle, const char*, int, bool>>{
           {DrawStyle::EveryReading, "DC  0.700 V  \r", 200, true},
           {DrawStyle::EveryReading, "DC   OL   V  \r", 200, false},
           {DrawStyle::OnePerColumn, "DC  0.700 V  \r", 100, false}}) {
    recorder.reset(), recorder.setActive(true);
    style = rowStyle, scope.redrawAll(Rescale::Keep);
    readingAt(0, "DC  0.200 V  \r"), readingAt(100, middle),
        readingAt(lastSecond, "DC  1.200 V  \r");
    const PlotPoint from = mapSample(100, 0.7, scope.raster(), scope.scale()),
                    to = mapSample(lastSecond, 1.2, scope.raster(), scope.scale());
    if (to.x == from.x)
      EXPECT_LT(pixelsInColumn(from.x), 5);  // within one column only the first is drawn
    else
      EXPECT_EQ(pixelsInColumn((from.x + to.x) / 2) > 0, joined) << middle;
    if (joined) {  // the last reading repaints only the segment it added
      EXPECT_EQ((std::vector<int>{changed.x, changed.y, changed.width, changed.height}),
                (std::vector<int>{from.x, to.y, to.x - from.x + 1, from.y - to.y + 1}));
    }
  }
  // Every channel's line is drawn alike. The pixels of each line's colour after readings a
  // second apart (jumping about above `offset`, in turn into the lines' channels), into a
  // picture of the grid alone; the line of channel `broken` breaks halfway.
  recording.setAutoScale(false);
  using Pixels = std::set<testing::Pixel>;
  const auto drawn = [&](DrawStyle s, std::vector<std::pair<int, float>> lines, int broken) {
    recorder.reset(), style = s, scope.redrawAll(Rescale::Keep);
    for (int second = 1; second <= 60; ++second)
      for (const auto& [channel, offset] : lines) {
        if (second == 30 && channel == broken) scope.breakLine(channel);
        scope.drawReading(channel, second, offset + 0.03f * static_cast<float>(second * 7 % 11));
      }
    std::vector<Pixels> pixels;
    for (const auto& line : lines)
      pixels.push_back(testing::pixelsIn(
          scope.raster(), paletteRgb(ValueLists::ChannelColors[std::size_t(line.first)])));
    return pixels;
  };
  // Channel 2 as channel 0, one point per column; with every reading, the columns that hold
  // several readings are filled.
  const Pixels alone = drawn(DrawStyle::OnePerColumn, {{0, 0.2f}}, -1).at(0);
  const Pixels aloneAbove = drawn(DrawStyle::OnePerColumn, {{2, 1.0f}}, -1).at(0);
  EXPECT_FALSE(alone.empty());
  EXPECT_EQ(drawn(DrawStyle::OnePerColumn, {{2, 0.2f}}, -1).at(0), alone);
  EXPECT_NE(drawn(DrawStyle::EveryReading, {{2, 0.2f}}, -1).at(0), alone);
  // Channel 2's break leaves channel 0's line whole, and the other way round.
  const std::vector<Pixels> both = drawn(DrawStyle::OnePerColumn, {{0, 0.2f}, {2, 1.0f}}, 2);
  EXPECT_TRUE(both[0] == alone && both[1] != aloneAbove);
  const std::vector<Pixels> other = drawn(DrawStyle::OnePerColumn, {{0, 0.2f}, {2, 1.0f}}, 0);
  EXPECT_TRUE(other[0] != alone && other[1] == aloneAbove);
}

// At 96 dpi and on a screen of twice the density: every grid line is one line width wide,
// and a straight ramp has no horizontal run longer than its slope needs plus one pixel.
TEST_F(ScopeControllerTest, GridLinesHaveOneWidthAndRampsNoWideStepsAtDevicePixels) {
  for (const auto& [perPoint, width] : {std::pair(4.0 / 3, 1), std::pair(8.0 / 3, 2)}) {
    pixelsPerPoint = perPoint, lineWidth = width;
    store.setCount(0, 0), store.setCount(1, 0);
    scope.redrawAll(Rescale::Keep);
    ASSERT_EQ(scope.raster().width(), std::lround(437 * perPoint));
    const std::uint32_t grid = paletteRgb(GridColor);  // vertical and horizontal lines:
    EXPECT_EQ(std::pair(runLengths(grid, true), runLengths(grid, false)),
              std::pair(std::set{width}, std::set{width}));
    // The lowest line is where its value is drawn; the last vertical one is within half a
    // division of the right edge.
    const Raster& r = scope.raster();
    const int base = mapSample(0, scope.scale().YBase, r, scope.scale()).y;
    int last = r.width() - 1;
    while (last > 0 && r.pixel(last, base - 1) != grid) --last;
    EXPECT_EQ(r.pixel(last + 1, base), grid);
    EXPECT_LE(r.width() - last, scope.scale().XDivPixels / 2 * perPoint + 1);
    const std::array<std::array<float, 2>, 2> ramps{{{0.1f, 1.4f}, {0.5f, 0.6f}}};
    for (int ch = 0; ch < 2; ++ch)
      testing::fillChannel(store, ch, {{ramps[ch][0], 0}, {ramps[ch][1], 800}});
    scope.redrawAll(Rescale::Keep);
    for (int ch = 0; ch < 2; ++ch) {
      const PlotPoint from = mapSample(0, ramps[ch][0], scope.raster(), scope.scale()),
                      to = mapSample(800, ramps[ch][1], scope.raster(), scope.scale());
      const std::set<int> runs = runLengths(paletteRgb(ValueLists::ChannelColors[ch]), true);
      ASSERT_FALSE(runs.empty());
      EXPECT_LE(*runs.rbegin(), std::ceil(width * (to.x - from.x) / double(from.y - to.y)) + 1)
          << ch << ", " << width;
    }
  }
}

// (That choosing a channel empties it: StatusTips and PictureMatchesStore.)
TEST_F(ScopeControllerTest, RecorderKeepsItsStartTime) {
  recorder.setActive(true), clock.advance(60);
  recorder.setActive(true);  // a start time once set stays
  EXPECT_EQ(state.runSeconds(clock), 60);
}

// A day of readings steps through every shorter duration and stores every interval-th reading
// in order. The day's journal replayed gives the same samples. (The heap it takes is measured
// by the benchmarks.)
TEST_F(ScopeControllerTest, ADayOfRecordingStepsThroughEveryDurationAndKeepsEverySample) {
  std::vector<JournalRow> journal(86401);
  recorder.setActive(true);
  int lastStored = -1, lastInterval = 0;
  for (int second = 0; second <= 86400; ++second) {
    char frame[16];  // the meter shows the elapsed minutes: every sample tells its time
    std::snprintf(frame, sizeof frame, "DC %6.1f V  \r", second / 60.0);
    const int before = store.count(0);
    readingAt(second, frame);
    journal[static_cast<std::size_t>(second)].value = state.currentValue();
    journal[static_cast<std::size_t>(second)].unit = "mV";  // the journal's own unit
    // A real poll comes a little early or late: to the nearest second in the trace.
    journal[static_cast<std::size_t>(second)].elapsedMs = second * 1000LL - (second % 3) + 1;
    if (store.count(0) == before) continue;
    const int interval = scope.scale().StoreInterval, gap = second - lastStored;
    ASSERT_EQ(store.count(0), before + 1) << second;
    ASSERT_EQ(store.time(0, before + 1), static_cast<float>(second));
    ASSERT_NEAR(store.value(0, before + 1), second / 60.0, 0.051) << second;
    // Every interval-th reading is stored; after a change of the duration none later.
    ASSERT_TRUE(lastStored < 0             ? second == 0
                : interval == lastInterval ? gap == interval
                                           : gap <= interval)
        << second;
    lastStored = second, lastInterval = interval;
  }
  std::vector<int> expectedSteps;
  for (int item = DefaultDurationItem - 1; item >= 1; --item) expectedSteps.push_back(item);
  EXPECT_TRUE(durationShown == expectedSteps && state.running());
  std::vector<std::pair<float, float>> live, replayed;
  for (int i = 1; i <= store.count(0); ++i) live.emplace_back(store.value(0, i), store.time(0, i));
  recorder.reset(), scope.selectDurationItem(DefaultDurationItem), resetYLists();
  recording.replay(journal, 0);
  for (int i = 1; i <= store.count(0); ++i)
    replayed.emplace_back(store.value(0, i), store.time(0, i));
  EXPECT_TRUE(replayed == live && live.size() > 2000u && store.unit(0) == "mV");
}

}  // namespace
}  // namespace kelvor
