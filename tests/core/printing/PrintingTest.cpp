// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/printing/DiagramLayout.h"
#include "core/printing/DiagramPicture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/InvalidValue.h"
#include "support/TraceStoreFill.h"

namespace kelvor {
namespace {

constexpr float Gap = InvalidValue;
using Channels = std::vector<std::vector<TraceSample>>;  // {value, time}
using Line = std::array<int, 4>;

// A store is big, so each test makes its own on the heap.
std::unique_ptr<TraceStore> storeWith(const Channels& channels) {
  auto store = std::make_unique<TraceStore>();
  for (std::size_t c = 0; c < channels.size(); ++c)
    testing::fillChannel(*store, static_cast<int>(c), channels[c]);
  return store;
}

// A printer of the given resolution and size; -1 for the clipboard's picture.
DeviceInfo device(int dpiX, int dpiY = 300, int width = 3300, int height = 2400, int planes = 3) {
  if (dpiX < 0) return {-1, -1, {50, 60, 0, 0}, planes, true, {}};
  return {dpiX, dpiY, {50, 60, width, height}, planes, false, {}};
}

// The screen: a plot of 400 x 200 points, 600 s across, the lowest Y line 20 points up standing
// for 0, 5 units over the height. On the clipboard (plot 1353 x 762 at 65, 17):
// x = 65 + t * 1353 / 600, y = 703 - v * 152.4.
DiagramInput screen(const TraceStore* store, DrawStyle style = DrawStyle::EveryReading,
                    float secondsAcross = 600, float ySpan = 5) {
  ScaleParams scale;
  scale.SecondsAcross = secondsAcross, scale.YSpan = ySpan;
  scale.XDivPixels = scale.YDivPixels = 40, scale.YOffsetPixels = 20;
  DiagramInput input{store, scale, style, {}, {}, {}, 400, 200, true};
  input.timeLabels.assign(101, {"0:00", true}), input.valueLabels.assign(101, {"0", true});
  return input;
}

TEST(DiagramLayout, SamplesLandWhereTheScaleSays) {
  struct Case {
    Channels channels;
    std::vector<Line> expected;
    DrawStyle style = DrawStyle::EveryReading;
    float secondsAcross = 600, ySpan = 5;
  };
  const DrawStyle every = DrawStyle::EveryReading, onePerColumn = DrawStyle::OnePerColumn;
  const std::vector<Case> cases{
      {{{}, {{Gap, 0}, {Gap, 60}}}, {}},
      // A gap joins its neighbours; each channel starts with its own dot.
      {{{{0, 0}, {Gap, 100}, {2, 200}}, {{1, 300}}},
       {{65, 703, 65, 703}, {516, 398, 65, 703}, {742, 551, 742, 551}}},
      // 1353 s across: a sample at t stands in column round(t) + 65.
      {{{{1, 0}, {1, 0.2f}, {1, 0.4f}}}, {{65, 551, 65, 551}}, onePerColumn, 1353},
      {{{{1, 0}, {1, 0.4f}}}, {{65, 551, 65, 551}, {65, 551, 65, 551}}, every, 1353},
      {{{{1, 0}, {1, 5}, {1, 3}, {1, 4}}},
       {{65, 551, 65, 551}, {65, 551, 70, 551}, {70, 551, 69, 551}},
       onePerColumn,
       1353},
      // Degenerate scales: the left edge, the lowest grid line, or far away within limits.
      {{{{1, 300}}}, {{65, 703, 65, 703}}, every, 0, 0},
      {{{{HUGE_VALF, 300}}}, {{742, -1000000000, 742, -1000000000}}}};
  for (const Case& c : cases) {
    const auto store = storeWith(c.channels);
    std::vector<Line> got;  // the grid is black, the channels are not
    const DiagramPicture picture =
        layoutDiagram(screen(store.get(), c.style, c.secondsAcross, c.ySpan), device(-1));
    for (const PictureLine& l : picture.lines())
      if (l.colour != 0) got.push_back({l.x1, l.y1, l.x2, l.y2});
    EXPECT_EQ(got, c.expected) << &c - cases.data();
  }
}

TEST(DiagramLayout, ChannelColoursFollowTheColourChoiceAndTheDevice) {
  using Colours = std::vector<std::uint32_t>;
  const Colours bright{0x00FF00, 0xFF0000, 0xFF00FF, 0x0000FF, 0x00FFFF, 0xFFFF00},
      dark{0x008000, 0x800000, 0x800080, 0x000080, 0x008080, 0x808000}, black(6, 0);
  const auto store = storeWith(Channels(6, {{1, 60}}));
  for (const auto& [d, coloured, channels] : std::vector<std::tuple<DeviceInfo, bool, Colours>>{
           {device(-1), true, dark},
           {device(-1), false, black},
           {device(300), true, bright},
           {device(300, 300, 3300, 2400, 1), true, dark}}) {
    DiagramInput input = screen(store.get());
    input.coloured = coloured;
    const DiagramPicture picture = layoutDiagram(input, d);
    Colours colours, expected(picture.lines().size() - 6, 0);  // the grid is black
    for (const PictureLine& l : picture.lines()) colours.push_back(l.colour);
    expected.insert(expected.end(), channels.begin(), channels.end());
    EXPECT_EQ(colours, expected) << d.dpiX << " " << coloured;
  }
}

TEST(DiagramLayout, NothingToPrintOnWithoutWidthOrResolution) {
  const auto store = storeWith({{{1, 0}}});
  for (const DeviceInfo& d :
       {device(300, 300, 0), device(0), device(300, 0), device(300, 300, 3300, 0)}) {
    const DiagramPicture picture = layoutDiagram(screen(store.get()), d);
    const bool flat = d.area.height == 0;  // a page of no height still gets a flat diagram
    EXPECT_TRUE(picture.failed() != flat && picture.lines().empty() != flat &&
                (flat || picture.texts().empty()));
  }
}

TEST(DeviceRounding, RoundsHalfUpAndNeverBelowOne) {
  const std::vector<std::pair<double, int>> rounds{
      {0.0, 1}, {1.49, 1}, {1.5, 2}, {2.5, 3}, {-3.0, 1}, {1e300, INT32_MAX}, {std::nan(""), 1}};
  for (const auto& [v, expected] : rounds) EXPECT_EQ(roundToDevice(v), expected) << v;
}

}  // namespace
}  // namespace kelvor
