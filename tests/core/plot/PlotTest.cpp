// SPDX-License-Identifier: GPL-3.0-or-later
// The plot's picture: lines on the raster and the channels drawn from the trace store.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "core/InvalidValue.h"
#include "core/plot/PlotDrawing.h"
#include "core/plot/Raster.h"
#include "core/plot/ReviewPlot.h"
#include "core/recording/ValueLists.h"
#include "support/PlainDrawing.h"
#include "support/TraceStoreFill.h"

namespace kelvor {
namespace {

using testing::fillChannel;
using testing::Pixel;
using testing::pixelsIn;
using Line = std::array<int, 4>;
using Samples = std::vector<TraceSample>;  // {value, time}
constexpr std::uint32_t Red = 0xFF0000;
constexpr float Gap = InvalidValue;

std::array<int, 4> asArray(const RasterRect& r) {
  return r.empty() ? std::array<int, 4>{} : std::array<int, 4>{r.x, r.y, r.width, r.height};
}

// Draws the line on a fresh w x h raster, both ways round, and compares pixels and changed
// area with textbook Bresenham from the end with the smaller major coordinate (the minor
// coordinate moves when the decision term is positive: an exact half stays on the start's side).
void expectLikeReference(Line l, int w, int h) {
  std::int64_t x1 = l[0], y1 = l[1], x2 = l[2], y2 = l[3];
  const bool xMajor = std::llabs(x2 - x1) >= std::llabs(y2 - y1);
  if (!xMajor) std::swap(x1, y1), std::swap(x2, y2);
  if (x1 > x2) std::swap(x1, x2), std::swap(y1, y2);
  const std::int64_t dx = x2 - x1, dy = std::llabs(y2 - y1), sy = y2 < y1 ? -1 : 1;
  Raster reference(w, h);  // point by point; setPixel drops what is outside
  reference.takeChanged();
  for (std::int64_t x = x1, y = y1, d = 2 * dy - dx; x <= x2; ++x, d += 2 * dy) {
    if (std::llabs(x) < INT_MAX && std::llabs(y) < INT_MAX)
      reference.setPixel(static_cast<int>(xMajor ? x : y), static_cast<int>(xMajor ? y : x), Red);
    if (d > 0) y += sy, d -= 2 * dx;
  }
  const std::set<Pixel> expected = pixelsIn(reference, Red);
  const std::array<int, 4> bounds = asArray(reference.takeChanged());
  for (const Line drawn : {l, Line{l[2], l[3], l[0], l[1]}}) {
    Raster raster(w, h);
    raster.takeChanged(), raster.line(drawn[0], drawn[1], drawn[2], drawn[3], Red);
    if (pixelsIn(raster, Red) != expected || asArray(raster.takeChanged()) != bounds)
      ADD_FAILURE() << "line " << drawn[0] << ", " << drawn[1] << " - " << drawn[2] << ", "
                    << drawn[3];
  }
}

TEST(Raster, LinesAndPointsClipExactlyAtEveryEdgeAndCornerAndChangesAreTracked) {
  // Every line from a ring around a small raster to the ring and to every point inside:
  // many cross an edge exactly half-way between two pixels.
  std::vector<std::pair<int, int>> ring;
  for (int x = -5; x <= 13; ++x) ring.insert(ring.end(), {{x, -5}, {x, 11}});
  for (int y = -4; y <= 10; ++y) ring.insert(ring.end(), {{-5, y}, {13, y}});
  std::vector<std::pair<int, int>> ends = ring;
  for (int x = 0; x < 9; ++x)
    for (int y = 0; y < 7; ++y) ends.emplace_back(x, y);
  for (const auto& [x1, y1] : ring)
    for (const auto& [x2, y2] : ends) expectLikeReference({x1, y1, x2, y2}, 9, 7);
  Raster limits(40, 30), diagonal(40, 30);  // ends at the limits of int: the visible part
  limits.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, Red);
  diagonal.line(0, 0, 29, 29, Red);
  EXPECT_EQ(pixelsIn(limits, Red), pixelsIn(diagonal, Red));
  // Single points outside are ignored; the changed area is what was drawn since last asked.
  Raster raster(5, 4);
  EXPECT_EQ(asArray(raster.takeChanged()), (std::array<int, 4>{0, 0, 5, 4}));
  for (const auto& [x, y] : std::vector<Pixel>{{-1, 0}, {0, -1}, {5, 0}, {0, 4}, {2, 3}})
    raster.setPixel(x, y, Red);
  EXPECT_EQ(pixelsIn(raster, Red), (std::set<Pixel>{{2, 3}}));
  EXPECT_EQ(asArray(raster.takeChanged()), (std::array<int, 4>{2, 3, 1, 1}));
  EXPECT_TRUE(raster.takeChanged().empty());
}

// What drawing reports: min, max and last time; each channel's pens after.
auto resultOf(const ChannelsDrawn& d, const ChannelPens& pens) {
  std::array<std::array<int, 4>, TraceStore::Channels> after;
  for (std::size_t ch = 0; ch < after.size(); ++ch) {
    const PenPositions& s = pens[ch];
    after[ch] = {s.LastX, s.LastY, s.LastDrawnX, s.LastDrawnY};
  }
  return std::pair(std::array<float, 3>{d.min, d.max, static_cast<float>(d.lastTime)}, after);
}

// On a 100 x 50 raster: x = t * 100 / across, y = 50 - v.
ScaleParams unitScale(float across = 100) {
  ScaleParams scale;
  scale.SecondsAcross = across;
  scale.YSpan = 50;
  return scale;
}

TEST(PlotDrawing, ChannelsDrawTheirSamplesSkippingGaps) {
  const DrawStyle every = DrawStyle::EveryReading, onePerColumn = DrawStyle::OnePerColumn;
  const std::vector<std::tuple<DrawStyle, float, Samples, std::vector<Line>>> cases{
      {every, 100, {{20, 0}, {20, 10}, {30, 20}}, {{0, 30, 10, 30}, {10, 30, 20, 20}}},
      {every, 100, {{Gap, 6}, {20, 10}, {Gap, 60}, {20, 20}, {Gap, 5}}, {{10, 30, 20, 30}}},
      // From the second point on, only points right of the last one: 5 yes, 5 and 3 no, 8 yes.
      {onePerColumn, 100, {{20, 0}, {20, 5}, {10, 5}, {30, 3}, {20, 8}}, {{5, 30, 8, 30}}},
      {every, 400, {{20, 4}, {45, 5}, {20, 8}}, {{1, 30, 1, 5}, {1, 5, 2, 30}}}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& [style, across, samples, segments] = cases[i];
    const std::uint32_t rgb = paletteRgb(ValueLists::ChannelColors[i]);
    TraceStore store;
    fillChannel(store, static_cast<int>(i), samples);
    Raster raster(100, 50), expected(100, 50);
    for (const Line& s : segments) expected.line(s[0], s[1], s[2], s[3], rgb);
    ChannelPens pens;
    drawChannels(raster, store, unitScale(across), style, pens);
    EXPECT_EQ(pixelsIn(raster, 0), pixelsIn(expected, 0)) << i;
  }
}

TEST(PlotDrawing, ReportsTheValueRangeTheLastTimeAndThePens) {
  // Channels with samples and their LastX, LastY, LastDrawnX, LastDrawnY after (the other
  // channels' pens are cleared); min, max, last time.
  using Channels = std::vector<std::tuple<int, Samples, std::array<int, 4>>>;
  const std::vector<std::pair<Channels, std::array<float, 3>>> cases{
      {{{1, {{Gap, 50}}, {0, 0, 0, 0}}}, {1e33f, -1e33f, 0}},
      {{{0, {{5, 0}, {-3, 10}}, {10, 53, 10, 53}},
        {3, {{12, 7}}, {7, 38, 7, 38}},
        {5, {{4, 2}, {5, 20}}, {20, 45, 20, 45}}},
       {-3, 12, 20}},
      // The last sample's time, not the largest; an earlier channel ending later wins.
      {{{0, {{1, 100}, {2, 50}}, {50, 48, 50, 48}}, {4, {{1, 30}}, {30, 49, 30, 49}}}, {1, 2, 50}},
      // A time beyond the integer range (a loaded file) is capped, not wrapped.
      {{{2, {{7, 1e30f}}, {1000000000, 43, 1000000000, 43}}}, {7, 7, float(INT_MAX)}}};
  for (const auto& [channels, drawn] : cases) {
    TraceStore store;
    std::array<std::array<int, 4>, TraceStore::Channels> pensAfter{};
    for (const auto& [channel, samples, pens] : channels) {
      fillChannel(store, channel, samples);
      pensAfter[static_cast<std::size_t>(channel)] = pens;
    }
    Raster raster(100, 50);
    ChannelPens pens;
    pens.fill({77, 88, 66, 55});  // replaced
    EXPECT_EQ(
        resultOf(drawChannels(raster, store, unitScale(), DrawStyle::EveryReading, pens), pens),
        std::pair(drawn, pensAfter));
  }
}

// Horizontal grid lines every division from the lowest one up, the top row included when a
// division lands exactly there.
TEST(PlotDrawing, GridRowsFromTheLowestLineUpToTheTopRow) {
  for (const auto& [offset, rows] : std::vector<std::pair<int, std::set<int>>>{
           {0, {0, 10, 20, 30, 40}}, {5, {5, 15, 25, 35, 45}}, {-12, {2, 12, 22, 32, 42}}}) {
    ScaleParams scale = unitScale();
    scale.YDivPixels = 10, scale.YOffsetPixels = offset;
    Raster raster(100, 50);
    drawGrid(raster, scale);
    std::set<int> drawn;
    for (const Pixel& p : pixelsIn(raster, paletteRgb(GridColor))) drawn.insert(p.second);
    EXPECT_EQ(drawn, rows) << offset;
  }
}

// drawChannels leaves out samples that change no pixel, and draws channels in time order
// column by column from their summaries: random stores, gaps and non-finite values among them,
// at random zoom levels and offsets, must give the same picture and results as drawing every
// segment.
TEST(PlotDrawing, LeavingSamplesOutChangesNothing) {
  const float inf = std::numeric_limits<float>::infinity();
  const float odd[] = {Gap, inf, -inf, std::nanf(""), 1e30f, -1e30f};
  for (std::uint32_t seed = 1; seed <= 36; ++seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(0, 1);
    const float step = seed % 2 ? 0.5f + 8 * unit(random) : 50 + 500 * unit(random);
    // Now and then a store of a week's readings; mostly filled twice (the second fill rewrites
    // the first).
    const int size = seed % 6 == 1 ? 200000 : TraceStore::LastSlot;
    TraceStore store(size);
    for (int fill = seed % 3 == 1 ? 1 : 0; fill < 2; ++fill) {
      for (int ch = 0; ch < TraceStore::Channels; ++ch) {  // dense or sparse, some full
        const int count =
            seed % 4 ? static_cast<int>((size / 5) * unit(random)) : TraceStore::LiveCapacity;
        for (int i = 1; i <= count; ++i) {
          const float v = unit(random) < 0.05f
                              ? odd[random() % 6]
                              : 8 * std::sin(i / 700.0f + ch + 3 * fill) + 3 * unit(random);
          const float t = seed % 5 ? step * (i - 100) : 20000 * unit(random);  // or shuffled
          store.setSample(ch, i, v, unit(random) < 0.5f ? std::round(t) : t);  // some on halves
        }
        store.setCount(ch, count);
      }
    }
    // Zoomed from a thousandth to a hundred times the width and moved anywhere over the
    // samples; now and then no or an endless time scale, an endless or negative span or none.
    const float zoom = std::pow(10.0f, -3 + 5 * unit(random));
    ScaleParams scale = unitScale(seed % 11 ? step * 3000 * zoom : odd[seed / 11 - 1]);
    scale.LeftTime = seed % 4 ? double(step * size / 5 * (1.2f * unit(random) - 0.2f)) : 0.0;
    scale.YBase = -12 + 4 * unit(random);
    scale.YSpan = seed % 7 ? 10 + 20 * unit(random) : odd[seed / 7];
    const DrawStyle style = seed / 2 % 2 ? DrawStyle::OnePerColumn : DrawStyle::EveryReading;
    // On the screen's device pixels: at 96 dpi, at twice that with lines two pixels wide, or
    // one pixel per point; a small raster now and then.
    const int w = seed % 5 ? 439 : 7, h = seed % 5 ? 160 : 3, lineWidth = seed % 3 == 2 ? 2 : 1;
    const double perPoint = std::array{1.0, 4.0 / 3, 8.0 / 3}[seed % 3];
    const int pw = static_cast<int>(w * perPoint), ph = static_cast<int>(h * perPoint);
    ChannelPens pens, plainPens;
    Raster raster(pw, ph), plain(pw, ph);
    raster.showPoints(w, h, lineWidth), plain.showPoints(w, h, lineWidth);
    EXPECT_EQ(resultOf(drawChannels(raster, store, scale, style, pens), pens),
              resultOf(drawChannelsPlain(plain, store, scale, style, plainPens), plainPens))
        << seed;
    EXPECT_TRUE(std::equal(raster.data(), raster.data() + pw * ph, plain.data())) << seed;
  }
}

TEST(ReviewPlot, ShowsTheLastMinutesOrAllOfAShorterRecording) {
  for (const auto& [seconds, edges] : std::vector<std::pair<double, std::string>>{
           {60, "t 00:15:40 \u2026 00:16:4"}, {1000, "t 00:00:00 \u2026 00:1"}}) {
    ReviewPlot plot(2000, ',');
    std::vector<TraceSample> samples;
    for (int t = 0; t <= 1000; ++t)
      samples.push_back({static_cast<float>(t), static_cast<float>(t)});
    testing::fillChannel(plot.store(), 0, samples);
    plot.setTimes(std::nullopt, 40);
    plot.resize(400, 200, 400, 200, 1);
    plot.showLast(seconds);
    EXPECT_EQ(plot.caption().substr(0, edges.size()), edges) << plot.caption();
  }
}

}  // namespace
}  // namespace kelvor
