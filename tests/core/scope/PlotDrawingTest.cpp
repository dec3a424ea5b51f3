#include "core/scope/PlotDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/acquisition/MeterFrame.h"
#include "core/scope/ValueLists.h"

namespace kelvor {
namespace {

using Pixel = std::pair<int, int>;  // (x, y)

const std::uint32_t Grey = 0x808080;
constexpr float Gap = InvalidValue;

std::uint32_t channelRgb(int channel) {
  return paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(channel)]);
}

std::set<Pixel> pixelsIn(const Raster& raster, std::uint32_t rgb) {
  std::set<Pixel> found;
  for (int y = 0; y < raster.height(); ++y) {
    for (int x = 0; x < raster.width(); ++x) {
      if (raster.pixel(x, y) == rgb) found.emplace(x, y);
    }
  }
  return found;
}

std::size_t pixelsNotBlack(const Raster& raster) {
  std::size_t count = 0;
  for (int y = 0; y < raster.height(); ++y) {
    for (int x = 0; x < raster.width(); ++x) count += raster.pixel(x, y) != 0 ? 1 : 0;
  }
  return count;
}

std::set<Pixel> row(int y, int fromX, int toX) {
  std::set<Pixel> pixels;
  for (int x = fromX; x <= toX; ++x) pixels.emplace(x, y);
  return pixels;
}

struct Sample {
  float value;
  float time;
};
using Samples = std::vector<Sample>;

void put(TraceStore& store, int channel, const Samples& samples) {
  for (std::size_t i = 0; i < samples.size(); ++i) {
    store.setSample(channel, static_cast<int>(i) + 1, samples[i].value, samples[i].time);
  }
  store.setCount(channel, static_cast<int>(samples.size()));
}

// On the 100 x 50 raster of the drawing tests: x = t, y = 50 - v.
ScaleParams unitScale() {
  ScaleParams scale;
  scale.SecondsAcross = 100.0f;
  scale.YSpan = 50.0f;
  scale.YBase = 0.0f;
  scale.YOffsetPixels = 0;
  return scale;
}

// --- mapSample ---------------------------------------------------------------------------

struct MapCase {
  std::string what;
  double t, v;
  int w, h;
  float secondsAcross;
  int yOffset;
  float yBase, ySpan;
  int x, y;
};

TEST(PlotDrawingMap, MapsRoundsHalvesToEvenAndGuardsTheScale) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Mostly a 100 x 50 plot of 200 s with the lowest grid line 3 above the bottom, value 10
  // on it and 25 over the full height: x = t / 2, y = 47 - 2 (v - 10).
  const std::vector<MapCase> cases{
      {"start on the lowest grid line", 0, 10, 100, 50, 200, 3, 10, 25, 0, 47},
      {"x 0.5 to even 0", 1, 10, 100, 50, 200, 3, 10, 25, 0, 47},
      {"x 1.5 to even 2", 3, 10, 100, 50, 200, 3, 10, 25, 2, 47},
      {"x 2.5 to even 2", 5, 10, 100, 50, 200, 3, 10, 25, 2, 47},
      {"x 3.5 to even 4", 7, 10, 100, 50, 200, 3, 10, 25, 4, 47},
      {"x -1.5 to even -2", -3, 10, 100, 50, 200, 3, 10, 25, -2, 47},
      {"x beyond the right edge", 400, 10, 100, 50, 200, 3, 10, 25, 200, 47},
      {"top of the span", 0, 35, 100, 50, 200, 3, 10, 25, 0, -3},
      {"y 46.5 to even 46", 0, 10.25, 100, 50, 200, 3, 10, 25, 0, 46},
      {"y 45.5 to even 46", 0, 10.75, 100, 50, 200, 3, 10, 25, 0, 46},
      {"y 47.5 to even 48", 0, 9.75, 100, 50, 200, 3, 10, 25, 0, 48},
      {"y 48.5 to even 48", 0, 9.25, 100, 50, 200, 3, 10, 25, 0, 48},
      {"below the bottom edge", 0, -20, 100, 50, 200, 3, 10, 25, 0, 107},
      {"negative span turns the axis over", 0, 35, 100, 50, 200, 3, 10, -25, 0, 97},
      {"design width, x 219.5 to even 220", 43200, 0, 439, 160, 86400, 0, 0, 20, 220, 160},
      {"no time scale", 1000, 10, 100, 50, 0, 3, 10, 25, 0, 47},
      {"negative time scale", 1000, 10, 100, 50, -5, 3, 10, 25, 0, 47},
      {"not-a-number time scale", 1000, 10, 100, 50, std::nanf(""), 3, 10, 25, 0, 47},
      {"no value span", 0, 1e6, 100, 50, 200, 3, 10, 0, 0, 47},
      {"huge time clamped", 1e30, 10, 100, 50, 200, 3, 10, 25, 1000000000, 47},
      {"huge negative time clamped", -1e30, 10, 100, 50, 200, 3, 10, 25, -1000000000, 47},
      {"gap value clamped below", 0, -1e33, 100, 50, 200, 3, 10, 25, 0, 1000000000},
      {"huge value clamped above", 0, 1e33, 100, 50, 200, 3, 10, 25, 0, -1000000000},
      {"infinite time clamped", std::numeric_limits<double>::infinity(), 10, 100, 50, 200, 3, 10,
       25, 1000000000, 47},
      {"not-a-number time and value", nan, nan, 100, 50, 200, 3, 10, 25, 0, 0},
  };
  for (const MapCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScaleParams scale;
    scale.SecondsAcross = c.secondsAcross;
    scale.YOffsetPixels = c.yOffset;
    scale.YBase = c.yBase;
    scale.YSpan = c.ySpan;
    const PlotPoint p = mapSample(c.t, c.v, c.w, c.h, scale);
    EXPECT_EQ(p.x, c.x);
    EXPECT_EQ(p.y, c.y);
  }
}

TEST(PlotDrawingMap, AgreesWithTheFormulaRoundedByNearbyint) {
  // Half of the cases on power-of-two scales, where quarters and halves of a unit stay exact.
  std::mt19937 random(99);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
  const auto signedPower = [&](double low, double high) {
    return (unit(random) < 0.5 ? -1 : 1) * std::pow(10.0, between(low, high));
  };
  const auto expected = [](double r) {
    return static_cast<int>(std::clamp(std::nearbyint(r), -1e9, 1e9));
  };
  for (int n = 0; n < 20000; ++n) {
    const bool exact = n % 2 == 0;
    const int w =
        exact ? 1 << static_cast<int>(between(0, 11)) : static_cast<int>(between(1, 2000));
    const int h =
        exact ? 1 << static_cast<int>(between(0, 11)) : static_cast<int>(between(1, 1200));
    ScaleParams scale;
    scale.SecondsAcross =
        static_cast<float>(exact ? std::ldexp(1.0, static_cast<int>(between(-4, 17)))
                                 : std::pow(10.0, between(-3, 6)));
    scale.YOffsetPixels = static_cast<int>(between(-50, 50));
    scale.YBase = static_cast<float>(exact ? std::round(between(-100, 100)) : between(-100, 100));
    scale.YSpan = static_cast<float>(exact ? std::ldexp(1.0, static_cast<int>(between(-4, 10)))
                                           : signedPower(-3, 3));
    const double t = exact ? std::round(between(-4000, 4000)) / 4 : signedPower(-2, 14);
    const double v = exact ? std::round(between(-4000, 4000)) / 4 : signedPower(-3, 12);
    const PlotPoint p = mapSample(t, v, w, h, scale);
    const double x = t / static_cast<double>(scale.SecondsAcross) * w;
    const double y = (h - scale.YOffsetPixels) -
                     (v - static_cast<double>(scale.YBase)) * h / static_cast<double>(scale.YSpan);
    ASSERT_EQ(p.x, expected(x)) << "t " << t << " w " << w << " across " << scale.SecondsAcross;
    ASSERT_EQ(p.y, expected(y)) << "v " << v << " h " << h << " base " << scale.YBase << " span "
                                << scale.YSpan << " offset " << scale.YOffsetPixels;
  }
}

// --- DrawGrid ------------------------------------------------------------------------------

struct GridCase {
  std::string what;
  int w, h;
  int xDiv, yDiv, yOffset;
  std::set<int> columns;
  std::set<int> rows;
};

TEST(PlotDrawingGrid, DrawsGreyLinesOnTheDivisionsOnly) {
  const std::vector<GridCase> cases{
      {"even divisions",
       100,
       50,
       20,
       12,
       3,
       {10, 20, 30, 40, 50, 60, 70, 80, 90},
       {47, 35, 23, 11}},
      {"odd time division rounds down",
       100,
       50,
       15,
       12,
       3,
       {7, 15, 22, 30, 37, 45, 52, 60, 67, 75, 82, 90, 97},
       {47, 35, 23, 11}},
      {"a line on the top row", 100, 50, 40, 48, 2, {20, 40, 60, 80}, {48, 0}},
      {"no offset: the bottom line lies outside", 60, 50, 200, 12, 0, {}, {38, 26, 14, 2}},
      {"negative offset", 60, 50, 30, 12, -10, {15, 30, 45}, {48, 36, 24, 12, 0}},
      {"far negative offset", 60, 50, 30, 10, -1000000000, {15, 30, 45}, {40, 30, 20, 10, 0}},
      {"offset above the top", 60, 50, 30, 10, 51, {15, 30, 45}, {}},
      {"no time division", 60, 50, 0, 10, 5, {}, {45, 35, 25, 15, 5}},
      {"negative time division", 60, 50, -20, 10, 5, {}, {45, 35, 25, 15, 5}},
      {"no Y division", 60, 50, 30, 0, 5, {15, 30, 45}, {}},
      {"negative Y division", 60, 50, 30, -4, 5, {15, 30, 45}, {}},
      {"neither", 60, 50, 0, 0, 0, {}, {}},
  };
  for (const GridCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScaleParams scale;
    scale.XDivPixels = c.xDiv;
    scale.YDivPixels = c.yDiv;
    scale.YOffsetPixels = c.yOffset;
    Raster raster(c.w, c.h);
    DrawGrid(raster, scale);
    std::set<Pixel> expected;
    for (int x : c.columns) {
      for (int y = 0; y < c.h; ++y) expected.emplace(x, y);
    }
    for (int y : c.rows) {
      for (int x = 0; x < c.w; ++x) expected.emplace(x, y);
    }
    EXPECT_EQ(pixelsIn(raster, Grey), expected);
    EXPECT_EQ(pixelsNotBlack(raster), expected.size());
  }
}

TEST(PlotDrawingGrid, LeavesAnEmptyRasterAlone) {
  ScaleParams scale;
  scale.XDivPixels = 10;
  scale.YDivPixels = 10;
  Raster raster(0, 0);
  DrawGrid(raster, scale);
  EXPECT_TRUE(raster.takeChanged().empty());
}

// --- drawChannels --------------------------------------------------------------------------

TEST(PlotDrawingChannels, DrawsEachChannelInItsColourAtTheMappedPoints) {
  // (t 0, v 20) -> (0, 30); (10, 20) -> (10, 30); (20, 30) -> (20, 20).
  std::set<Pixel> diagonal;
  for (int i = 0; i <= 10; ++i) diagonal.emplace(10 + i, 30 - i);
  std::set<Pixel> withStart = row(30, 0, 10);
  withStart.insert(diagonal.begin(), diagonal.end());
  // One per column leaves out the first point at x = 0 and starts with the second.
  const std::vector<std::pair<DrawStyle, std::set<Pixel>>> styles{
      {DrawStyle::EveryReading, withStart}, {DrawStyle::OnePerColumn, diagonal}};
  for (const auto& [style, expected] : styles) {
    for (int ch = 0; ch < TraceStore::Channels; ++ch) {
      SCOPED_TRACE("channel " + std::to_string(ch) + " style " +
                   std::to_string(static_cast<int>(style)));
      TraceStore store;
      put(store, ch, {{20, 0}, {20, 10}, {30, 20}});
      Raster raster(100, 50);
      RecordingState pens;
      drawChannels(raster, store, unitScale(), style, pens);
      EXPECT_EQ(pixelsIn(raster, channelRgb(ch)), expected);
      EXPECT_EQ(pixelsNotBlack(raster), expected.size());
    }
  }
}

struct GapCase {
  std::string what;
  Samples samples;
  std::set<Pixel> expected;
};

TEST(PlotDrawingChannels, SkipsGapMarkersAndJoinsTheLineAcrossThem) {
  // A gap marker taken as a point would pull a line down to its far-away y, and with one
  // point per column its x = 60 would hide the samples after it.
  const std::vector<GapCase> cases{
      {"gap between", {{20, 10}, {Gap, 60}, {20, 20}}, row(30, 10, 20)},
      {"several gaps", {{20, 10}, {Gap, 60}, {Gap, 15}, {Gap, 0}, {20, 20}}, row(30, 10, 20)},
      {"gap first", {{Gap, 60}, {20, 10}, {20, 20}}, row(30, 10, 20)},
      {"gap last", {{20, 10}, {20, 20}, {Gap, 60}}, row(30, 10, 20)},
      {"only gaps", {{Gap, 10}, {Gap, 60}}, {}},
  };
  for (const GapCase& c : cases) {
    for (const DrawStyle style : {DrawStyle::EveryReading, DrawStyle::OnePerColumn}) {
      SCOPED_TRACE(c.what + " style " + std::to_string(static_cast<int>(style)));
      TraceStore store;
      put(store, 2, c.samples);
      Raster raster(100, 50);
      RecordingState pens;
      drawChannels(raster, store, unitScale(), style, pens);
      EXPECT_EQ(pixelsIn(raster, channelRgb(2)), c.expected);
      EXPECT_EQ(pixelsNotBlack(raster), c.expected.size());
    }
  }
}

struct StyleCase {
  std::string what;
  DrawStyle style;
  float secondsAcross;  // over 100 columns
  Samples samples;
  std::set<Pixel> expected;
};

TEST(PlotDrawingChannels, OnePerColumnDrawsOnlyPointsRightOfThePreviousOne) {
  // With x = t / 4, every column c = 0..20 holds a sample at y 30 followed by one at y 5.
  Samples twoPerColumn;
  for (int c = 0; c <= 20; ++c) {
    twoPerColumn.push_back({20, static_cast<float>(4 * c)});
    twoPerColumn.push_back({45, static_cast<float>(4 * c + 1)});
  }
  std::set<Pixel> everyReading;  // every column from 0 to 20 filled from row 5 to row 30
  for (int c = 0; c <= 20; ++c) {
    for (int y = 5; y <= 30; ++y) everyReading.emplace(c, y);
  }
  // With x = t: x 0 is not right of the start, 5 is; 5 again and 3 are not; 8 is right of 3.
  const Samples steps{{20, 0}, {40, 0}, {20, 5}, {10, 5}, {30, 3}, {20, 8}, {25, 8}};
  const std::vector<StyleCase> cases{
      {"left and same columns skipped", DrawStyle::OnePerColumn, 100, steps, row(30, 5, 8)},
      {"the first sample of each column only", DrawStyle::OnePerColumn, 400, twoPerColumn,
       row(30, 1, 20)},
      {"every reading keeps them all", DrawStyle::EveryReading, 400, twoPerColumn, everyReading},
  };
  for (const StyleCase& c : cases) {
    SCOPED_TRACE(c.what);
    TraceStore store;
    put(store, 0, c.samples);
    Raster raster(100, 50);
    ScaleParams scale = unitScale();
    scale.SecondsAcross = c.secondsAcross;
    RecordingState pens;
    drawChannels(raster, store, scale, c.style, pens);
    EXPECT_EQ(pixelsIn(raster, channelRgb(0)), c.expected);
    EXPECT_EQ(pixelsNotBlack(raster), c.expected.size());
  }
}

struct CrossingCase {
  int lower;
  int upper;
  bool lowerIsRow;  // the lower channel draws the row, the upper one the column, or reversed
};

TEST(PlotDrawingChannels, LaterChannelsLieOnTopWhereTracesCross) {
  // A row 40..60 on y 25 and a column 15..35 on x 50 cross at (50, 25).
  const Samples across{{25, 40}, {25, 60}};
  const Samples upright{{35, 50}, {15, 50}};
  const std::vector<CrossingCase> cases{{0, 5, true},  {0, 5, false}, {4, 5, true},
                                        {0, 1, false}, {2, 3, true},  {1, 4, false}};
  for (const CrossingCase& c : cases) {
    SCOPED_TRACE("channels " + std::to_string(c.lower) + " and " + std::to_string(c.upper));
    TraceStore store;
    put(store, c.lower, c.lowerIsRow ? across : upright);
    put(store, c.upper, c.lowerIsRow ? upright : across);
    Raster raster(100, 50);
    RecordingState pens;
    drawChannels(raster, store, unitScale(), DrawStyle::EveryReading, pens);
    EXPECT_EQ(raster.pixel(50, 25), channelRgb(c.upper));
    const Pixel lowerOnly = c.lowerIsRow ? Pixel{45, 25} : Pixel{50, 30};
    EXPECT_EQ(raster.pixel(lowerOnly.first, lowerOnly.second), channelRgb(c.lower));
  }
}

struct RangeCase {
  std::string what;
  DrawStyle style;
  std::vector<std::pair<int, Samples>> channels;
  float min, max;
  int lastTime;
};

TEST(PlotDrawingChannels, ReportsTheValueRangeAndTheLastTime) {
  const DrawStyle every = DrawStyle::EveryReading;
  const std::vector<RangeCase> cases{
      {"empty store", every, {}, 1e33f, -1e33f, 0},
      {"only gaps", every, {{1, {{Gap, 50}, {Gap, 70}}}}, 1e33f, -1e33f, 0},
      {"over all channels",
       every,
       {{0, {{5, 0}, {-3, 10}}}, {3, {{12, 7}}}, {5, {{4, 2}}}},
       -3,
       12,
       10},
      {"gaps are no values and no times", every, {{2, {{1, 10}, {Gap, 90}}}}, 1, 1, 10},
      {"the last sample's time, not the largest", every, {{0, {{1, 100}, {2, 50}}}}, 1, 2, 50},
      {"t carries over empty channels", every, {{0, {{1, 500}}}}, 1, 1, 500},
      {"an earlier channel ending later wins",
       every,
       {{0, {{1, 500}}}, {4, {{1, 300}}}},
       1,
       1,
       500},
      {"time 2.5 rounds to 2", every, {{0, {{1, 2.5f}}}}, 1, 1, 2},
      {"time 3.5 rounds to 4", every, {{0, {{1, 3.5f}}}}, 1, 1, 4},
      {"values not drawn still count",
       DrawStyle::OnePerColumn,
       {{0, {{7, 0}, {9, 0}, {-2, 0}}}},
       -2,
       9,
       0},
      {"values far outside the plot", every, {{0, {{1e30f, 1}, {-1e30f, 2}}}}, -1e30f, 1e30f, 2},
      {"time beyond int", every, {{0, {{1, 1e20f}}}}, 1, 1, INT_MAX},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.what);
    TraceStore store;
    for (const auto& [channel, samples] : c.channels) put(store, channel, samples);
    Raster raster(100, 50);
    RecordingState pens;
    const ChannelsDrawn drawn = drawChannels(raster, store, unitScale(), c.style, pens);
    EXPECT_EQ(drawn.min, c.min);
    EXPECT_EQ(drawn.max, c.max);
    EXPECT_EQ(drawn.lastTime, c.lastTime);
  }
}

struct PensCase {
  std::string what;
  DrawStyle style;
  std::vector<std::pair<int, Samples>> channels;
  int lastX, lastY, lastDrawnX, lastDrawnY;
};

TEST(PlotDrawingChannels, LeavesThePensWhereTheLastChannelLeftThem) {
  const DrawStyle every = DrawStyle::EveryReading;
  const DrawStyle onePerColumn = DrawStyle::OnePerColumn;
  // The pens start at (77, 88), drawn (66, 55).
  const std::vector<PensCase> cases{
      {"empty store: last position reset, drawn kept", every, {}, 0, 0, 66, 55},
      {"yellow's last sample", every, {{5, {{10, 5}, {5, 20}}}}, 20, 45, 20, 45},
      {"an earlier channel: position reset by the empty yellow one",
       every,
       {{0, {{10, 5}, {10, 30}}}},
       0,
       0,
       30,
       40},
      {"yellow's last sample not drawn",
       onePerColumn,
       {{5, {{20, 5}, {20, 8}, {25, 8}}}},
       8,
       25,
       8,
       30},
      {"yellow draws nothing, the drawn pen stays with an earlier channel",
       onePerColumn,
       {{1, {{20, 6}}}, {5, {{10, 0}, {15, 0}}}},
       0,
       35,
       6,
       30},
      {"yellow only gaps", every, {{2, {{10, 7}}}, {5, {{Gap, 9}}}}, 0, 0, 7, 40},
  };
  for (const PensCase& c : cases) {
    SCOPED_TRACE(c.what);
    TraceStore store;
    for (const auto& [channel, samples] : c.channels) put(store, channel, samples);
    Raster raster(100, 50);
    RecordingState pens;
    pens.LastX = 77;
    pens.LastY = 88;
    pens.LastDrawnX = 66;
    pens.LastDrawnY = 55;
    drawChannels(raster, store, unitScale(), c.style, pens);
    EXPECT_EQ(pens.LastX, c.lastX);
    EXPECT_EQ(pens.LastY, c.lastY);
    EXPECT_EQ(pens.LastDrawnX, c.lastDrawnX);
    EXPECT_EQ(pens.LastDrawnY, c.lastDrawnY);
  }
}

// --- the same picture as drawing every segment ----------------------------------------------

enum class Kind { Dense, Sparse, FarValues, BeyondEdges, Shuffled, OddScale };

const char* kindName(Kind kind) {
  constexpr const char* Names[] = {"dense",          "sparse",   "far values", "beyond the edges",
                                   "shuffled times", "odd scale"};
  return Names[static_cast<int>(kind)];
}

// Scales that make the mapping degenerate: no, a tiny or an infinite time scale; no, an
// overturned, an infinite or a not-a-number value span; an infinite base.
constexpr float Infinite = std::numeric_limits<float>::infinity();
const std::vector<void (*)(ScaleParams&)> OddScales{
    [](ScaleParams& s) { s.SecondsAcross = 0; },
    [](ScaleParams& s) { s.SecondsAcross = 1; },
    [](ScaleParams& s) { s.SecondsAcross = Infinite; },
    [](ScaleParams& s) { s.YSpan = 0; },
    [](ScaleParams& s) { s.YSpan = -s.YSpan; },
    [](ScaleParams& s) { s.YSpan = Infinite; },
    [](ScaleParams& s) { s.YSpan = std::numeric_limits<float>::quiet_NaN(); },
    [](ScaleParams& s) { s.YBase = -Infinite; },
};

// Fills all six channels and picks a scale that shows them roughly, each kind stressing
// another way of leaving samples out; `variant` picks the odd scale.
void fillRandom(TraceStore& store, ScaleParams& scale, Kind kind, std::size_t variant, int w, int h,
                std::mt19937& random) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto chance = [&](double p) { return unit(random) < p; };
  const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const bool special = kind == Kind::FarValues || kind == Kind::OddScale;
  double span = 1;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    int count = static_cast<int>(between(0, 3000));
    if (kind == Kind::Sparse) count = static_cast<int>(between(0, 60));
    if (kind == Kind::Dense) {
      count = chance(0.5) ? TraceStore::LiveCapacity : static_cast<int>(between(0, 16000));
    }
    const double step = kind == Kind::Sparse ? between(50, 5000) : between(0.5, 8);
    const double phase = between(0, 6.3);
    const double noise = between(0, 3);
    double t = kind == Kind::BeyondEdges ? -between(0, 1000) : 0;
    for (int i = 1; i <= count; ++i) {
      double v = 8 * std::sin(t / 5000 + phase) + noise * (unit(random) - 0.5);
      double time = kind == Kind::Shuffled ? between(-100, 20000) : t;
      if (kind == Kind::BeyondEdges && chance(0.1)) v *= 5;
      if (special && chance(0.2)) v = (chance(0.5) ? 1 : -1) * std::pow(10.0, between(1, 30));
      if (special && chance(0.05)) v = chance(0.7) ? (chance(0.5) ? inf : -inf) : nan;
      if (special && chance(0.005)) time = chance(0.5) ? inf : nan;
      const double gapChance = kind == Kind::Dense ? 0.01 : 0.1;
      store.setSample(ch, i, chance(gapChance) ? Gap : static_cast<float>(v),
                      static_cast<float>(chance(0.5) ? std::round(time) : time));
      t += chance(0.05) ? step * 0.5 : step;  // now and then a time on an exact half
    }
    store.setCount(ch, count);
    span = std::max(span, kind == Kind::Shuffled ? 20000.0 : t);
  }
  scale.SecondsAcross = static_cast<float>(span * between(0.8, 1.2));
  if (kind == Kind::BeyondEdges) scale.SecondsAcross /= 8;
  scale.YBase = static_cast<float>(between(-12, -8));
  scale.YSpan = static_cast<float>(between(10, 30));
  scale.YOffsetPixels = static_cast<int>(between(0, h / 10.0));
  scale.XDivPixels = static_cast<int>(between(1, w / 4.0 + 2));
  scale.YDivPixels = static_cast<int>(between(1, h / 4.0 + 2));
  if (kind == Kind::OddScale) OddScales[variant % OddScales.size()](scale);
}

// Draws with both and expects the same picture, pens and results.
void expectSameAsPlain(const TraceStore& store, const ScaleParams& scale, DrawStyle style, int w,
                       int h, RecordingState pens) {
  RecordingState plainPens = pens;
  Raster raster(w, h);
  DrawGrid(raster, scale);
  Raster plain(w, h);
  DrawGrid(plain, scale);
  const ChannelsDrawn drawn = drawChannels(raster, store, scale, style, pens);
  const ChannelsDrawn plainDrawn = drawChannelsPlain(plain, store, scale, style, plainPens);

  const std::size_t size = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  const auto [got, want] = std::mismatch(raster.data(), raster.data() + size, plain.data());
  if (got != raster.data() + size) {
    const std::size_t at = static_cast<std::size_t>(got - raster.data());
    ADD_FAILURE() << "first difference at (" << at % static_cast<std::size_t>(w) << ", "
                  << at / static_cast<std::size_t>(w) << "): " << std::hex << *got << " instead of "
                  << *want;
  }
  EXPECT_EQ(pens.LastX, plainPens.LastX);
  EXPECT_EQ(pens.LastY, plainPens.LastY);
  EXPECT_EQ(pens.LastDrawnX, plainPens.LastDrawnX);
  EXPECT_EQ(pens.LastDrawnY, plainPens.LastDrawnY);
  EXPECT_EQ(drawn.min, plainDrawn.min);
  EXPECT_EQ(drawn.max, plainDrawn.max);
  EXPECT_EQ(drawn.lastTime, plainDrawn.lastTime);
}

struct ColumnCase {
  std::string what;
  float yBase, ySpan;
  std::vector<float> values;  // all in column 10, after a point in column 5
};

TEST(PlotDrawingIdentity, HoldsForNonFiniteValuesInOneColumn) {
  // Under an infinite span every finite value lies on the lowest grid line but the infinite
  // ones on row 0: the extremes of the values are not those of the rows.
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<ColumnCase> cases{
      {"infinite span, both infinities around a finite value", 0, inf, {-inf, 30, inf}},
      {"infinite span, finite values around them", 0, inf, {20, inf, -inf, 25}},
      {"infinite base", -inf, 50, {-inf, 30, inf, nan, 10}},
      {"not-a-number span", 0, nan, {10, 40}},
      {"ordinary scale", 0, 50, {nan, 30, inf, -inf, 45, nan}},
  };
  for (const ColumnCase& c : cases) {
    for (const DrawStyle style : {DrawStyle::EveryReading, DrawStyle::OnePerColumn}) {
      SCOPED_TRACE(c.what + " style " + std::to_string(static_cast<int>(style)));
      Samples samples{{20, 5}};
      for (const float v : c.values) samples.push_back({v, 10});
      samples.push_back({20, 15});
      TraceStore store;
      put(store, 3, samples);
      ScaleParams scale = unitScale();
      scale.YOffsetPixels = 10;
      scale.YBase = c.yBase;
      scale.YSpan = c.ySpan;
      expectSameAsPlain(store, scale, style, 100, 50, RecordingState{});
    }
  }
}

// Random stores of one kind on several raster sizes, twice for each draw style.
void expectSameAsPlainForRandomStores(Kind kind) {
  const std::vector<std::pair<int, int>> sizes{{439, 160}, {1920, 1080}, {100, 50},
                                               {7, 3},     {1, 1},       {0, 0}};
  TraceStore store;
  std::uint32_t seed = 1000 * static_cast<std::uint32_t>(kind);
  for (const auto& [w, h] : sizes) {
    for (int repeat = 0; repeat < 2; ++repeat) {
      for (const DrawStyle style : {DrawStyle::EveryReading, DrawStyle::OnePerColumn}) {
        ++seed;
        SCOPED_TRACE(std::string(kindName(kind)) + " " + std::to_string(w) + " x " +
                     std::to_string(h) + " style " + std::to_string(static_cast<int>(style)) +
                     " seed " + std::to_string(seed));
        std::mt19937 random(seed);
        ScaleParams scale;
        fillRandom(store, scale, kind, seed, w, h, random);
        RecordingState pens;
        pens.LastX = static_cast<int>(random() % 500);
        pens.LastY = static_cast<int>(random() % 500);
        pens.LastDrawnX = static_cast<int>(random() % 500);
        pens.LastDrawnY = static_cast<int>(random() % 500);
        expectSameAsPlain(store, scale, style, w, h, pens);
      }
    }
  }
}

TEST(PlotDrawingIdentity, DenseSamplesManyPerColumn) {
  expectSameAsPlainForRandomStores(Kind::Dense);
}
TEST(PlotDrawingIdentity, SparseSamples) {
  expectSameAsPlainForRandomStores(Kind::Sparse);
}
TEST(PlotDrawingIdentity, ValuesFarOutsideAndNotFinite) {
  expectSameAsPlainForRandomStores(Kind::FarValues);
}
TEST(PlotDrawingIdentity, TimesBeyondTheEdges) {
  expectSameAsPlainForRandomStores(Kind::BeyondEdges);
}
TEST(PlotDrawingIdentity, TimesOutOfOrder) {
  expectSameAsPlainForRandomStores(Kind::Shuffled);
}
TEST(PlotDrawingIdentity, DegenerateScales) {
  expectSameAsPlainForRandomStores(Kind::OddScale);
}

}  // namespace
}  // namespace kelvor
