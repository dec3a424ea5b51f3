#include "core/printing/Druck.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/acquisition/MeterFrame.h"

namespace kelvor {
namespace {

constexpr float Gap = InvalidValue;

struct Sample {
  float time;
  float value;
};

// A store is big (six channels of 16000 slots), so each test makes its own on the heap.
std::unique_ptr<TraceStore> storeWith(const std::vector<std::vector<Sample>>& channels) {
  auto store = std::make_unique<TraceStore>();
  for (std::size_t c = 0; c < channels.size(); ++c) {
    const auto channel = static_cast<int>(c);
    for (std::size_t i = 0; i < channels[c].size(); ++i)
      store->setSample(channel, static_cast<int>(i) + 1, channels[c][i].value, channels[c][i].time);
    store->setCount(channel, static_cast<int>(channels[c].size()));
  }
  return store;
}

// Text cells six units wide per character and two units higher than the font.
TextExtent fakeExtent(const std::string& text, const GdiTextFont& font) {
  return TextExtent{6 * static_cast<int>(text.size()), font.height + 2};
}

DeviceInfo metafile() {
  DeviceInfo device;
  device.metafile = true;
  device.measureText = fakeExtent;
  return device;
}

DeviceInfo printer(int dpiX, int dpiY, int width, int height, int planes = 3) {
  DeviceInfo device;
  device.dpiX = dpiX;
  device.dpiY = dpiY;
  device.area = PrintableArea{50, 60, width, height};
  device.colourPlanes = planes;
  device.measureText = fakeExtent;
  return device;
}

// The screen: a plot of 400 x 200 points, 10 minutes across, divisions of 40 points, the
// lowest Y grid line 20 points above the bottom standing for 0, 5 units over the height.
// Y labels 0 to 4 are shown (one per grid line), the time labels "0:00" to "100:00".
DiagramInput screen(const TraceStore* store) {
  DiagramInput input;
  input.store = store;
  input.scale.SecondsAcross = 600.0f;
  input.scale.XDivPixels = 40;
  input.scale.YDivPixels = 40;
  input.scale.YOffsetPixels = 20;
  input.scale.YBase = 0.0f;
  input.scale.YSpan = 5.0f;
  input.plotWidth = 400;
  input.plotHeight = 200;
  for (int k = 0; k <= 100; ++k) {
    input.lblX.push_back(AxisCaption{std::to_string(k) + ":00", true});
    input.lblY.push_back(AxisCaption{std::to_string(k), k <= 4});
  }
  input.lblZeitEinheit = AxisCaption{"t in min -->", true};
  input.coloured = true;
  return input;
}

// Frame (4) + vertical (20) + horizontal (5) grid lines of the screen above on the clipboard
// page; the channels' lines follow them.
constexpr std::size_t MetafileGridLines = 29;

std::vector<GdiLineEntry> traceLines(const DiagramPicture& picture, std::size_t gridLines) {
  const std::vector<GdiLineEntry>& lines = picture.lines();
  if (lines.size() < gridLines) return {};
  return std::vector<GdiLineEntry>(lines.begin() + static_cast<std::ptrdiff_t>(gridLines),
                                   lines.end());
}

void expectLine(const GdiLineEntry& line, int x1, int y1, int x2, int y2) {
  EXPECT_EQ(line.x1, x1);
  EXPECT_EQ(line.y1, y1);
  EXPECT_EQ(line.x2, x2);
  EXPECT_EQ(line.y2, y2);
}

TEST(DruckTest, PageLayoutAndPensFollowTheDevice) {
  struct Case {
    const char* name;
    DeviceInfo device;
    int left, top, right, bottom;
    int framePen, verticalPen, horizontalPen, tracePen, fontHeight;
  };
  const std::vector<Case> cases{
      {"clipboard picture", metafile(), 65, 17, 1417, 779, 1, 1, 1, 1, 16},
      {"300 dpi landscape", printer(300, 300, 3300, 2400), 330, 240, 3133, 2160, 2, 1, 1, 2, 28},
      {"600 dpi landscape", printer(600, 600, 6600, 4800), 660, 480, 6268, 4320, 4, 2, 2, 4, 56},
      // Portrait: the upper half of the page; 1650 * 0.15 = 247.5 rounds to the even 248.
      {"300 dpi portrait", printer(300, 300, 2400, 3300), 360, 248, 2279, 1402, 2, 1, 1, 2, 28},
      {"square is landscape", printer(300, 300, 3000, 3000), 300, 300, 2848, 2700, 2, 1, 1, 2, 28},
      // Taller than wide in dots but 11 x 8 inches: landscape.
      {"300 x 600 dpi", printer(300, 600, 3300, 4800), 330, 480, 3133, 4320, 4, 1, 2, 0, 56},
      // Below 150 dpi: one-unit traces; at 72 dpi the frame pen is 0 (the thinnest).
      {"96 dpi", printer(96, 96, 1056, 768), 106, 77, 1002, 691, 1, 1, 1, 1, 8},
      {"72 dpi", printer(72, 72, 792, 576), 79, 58, 750, 519, 0, 1, 1, 1, 6},
  };
  // One flat segment in channel 0.
  const auto store = storeWith({{{0.0f, 1.0f}, {300.0f, 1.0f}}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DiagramPicture picture = Druck(screen(store.get()), c.device);
    ASSERT_FALSE(picture.failed());
    const std::vector<GdiLineEntry>& lines = picture.lines();
    ASSERT_GE(lines.size(), 8u);

    expectLine(lines[0], c.left, c.top, c.right, c.top);
    expectLine(lines[1], c.right, c.top, c.right, c.bottom);
    expectLine(lines[2], c.right, c.bottom, c.left, c.bottom);
    expectLine(lines[3], c.left, c.top, c.left, c.bottom);  // drawn upwards, stored downwards
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(lines[i].width, c.framePen);

    // The first vertical grid line follows the frame; the first horizontal one (the lowest)
    // follows the last vertical one.
    expectLine(lines[4], lines[4].x1, c.top, lines[4].x1, c.bottom);
    EXPECT_EQ(lines[4].width, c.verticalPen);
    std::size_t h = 4;
    while (h < lines.size() && lines[h].x1 == lines[h].x2) ++h;
    ASSERT_LT(h, lines.size());
    EXPECT_EQ(lines[h].x1, c.left);
    EXPECT_EQ(lines[h].y1, lines[h].y2);
    EXPECT_EQ(lines[h].width, c.horizontalPen);

    // The trace: a dot, then the segment.
    const GdiLineEntry& dot = lines[lines.size() - 2];
    const GdiLineEntry& segment = lines.back();
    EXPECT_EQ(dot.x1, c.left);
    EXPECT_EQ(dot.x1, dot.x2);
    EXPECT_EQ(dot.y1, dot.y2);
    EXPECT_EQ(segment.x1, dot.x1);
    EXPECT_EQ(segment.y2, dot.y2);
    if (c.tracePen > 0) {  // 0: the width depends on the direction (own test)
      EXPECT_EQ(dot.width, c.tracePen);
      EXPECT_EQ(segment.width, c.tracePen);
    }

    ASSERT_FALSE(picture.texts().empty());
    for (const GdiTextEntry& text : picture.texts()) {
      EXPECT_EQ(text.font.face, "Arial");
      EXPECT_EQ(text.font.height, c.fontHeight);
      EXPECT_EQ(text.font.escapement, 0);
    }
    EXPECT_TRUE(picture.font().face.empty()) << "the font is released at the end";
  }
}

TEST(DruckTest, ClipboardPageCarriesTheScreensGridAndLabels) {
  const DiagramPicture picture = Druck(screen(nullptr), metafile());
  const std::vector<GdiLineEntry>& lines = picture.lines();
  ASSERT_EQ(lines.size(), MetafileGridLines);

  // xStep = round(40 * 1353 / 400) = 135: a line every half division, from 67 to the right.
  const std::vector<int> verticalX{132, 200, 267, 335,  402,  470,  537,  605,  672,  740,
                                   807, 875, 942, 1010, 1077, 1145, 1212, 1280, 1347, 1415};
  for (std::size_t i = 0; i < verticalX.size(); ++i) {
    SCOPED_TRACE(i);
    expectLine(lines[4 + i], verticalX[i], 17, verticalX[i], 779);
  }
  // yOff = round(20 * 762 / 200) = 76, yStep = round(40 * 762 / 200) = 152.
  const std::vector<int> horizontalY{703, 551, 399, 247, 95};
  for (std::size_t i = 0; i < horizontalY.size(); ++i) {
    SCOPED_TRACE(i);
    expectLine(lines[24 + i], 65, horizontalY[i], 1418, horizontalY[i]);
  }
  for (const GdiLineEntry& line : lines) EXPECT_EQ(line.colour, 0u);

  struct Text {
    int x, y;
    std::string text;
  };
  // Y labels: cells 18 high (half 9), right edge 10 * 2/3 units left of the frame.
  // Time labels: centred on the divisions, 3 units below the frame; "10:00" would end at
  // 1430, beyond the frame's right edge 1418, so the walk stops after "9:00".
  // Time unit: at the middle (741.5 rounds to 742), 9 * 2.2 below the frame.
  const std::vector<Text> expected{
      {52, 694, "0"},     {52, 542, "1"},      {52, 390, "2"},      {52, 238, "3"},
      {52, 86, "4"},      {53, 782, "0:00"},   {188, 782, "1:00"},  {323, 782, "2:00"},
      {458, 782, "3:00"}, {593, 782, "4:00"},  {728, 782, "5:00"},  {863, 782, "6:00"},
      {998, 782, "7:00"}, {1133, 782, "8:00"}, {1268, 782, "9:00"}, {742, 799, "t in min -->"},
  };
  const std::vector<GdiTextEntry>& texts = picture.texts();
  ASSERT_EQ(texts.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(texts[i].text, expected[i].text);
    EXPECT_EQ(texts[i].x, expected[i].x);
    EXPECT_EQ(texts[i].y, expected[i].y);
  }
}

TEST(DruckTest, SamplesLandWhereTheScaleSays) {
  struct Case {
    const char* name;
    std::vector<std::vector<Sample>> channels;
    std::vector<GdiLineEntry> expected;  // after the grid
  };
  const std::vector<Case> cases{
      {"an empty channel draws nothing", {{}}, {}},
      {"a channel of gaps draws nothing", {{{0.0f, Gap}, {60.0f, Gap}}}, {}},
      {"one sample is one dot", {{}, {{300.0f, 1.0f}}}, {{742, 551, 742, 551, 1, 0x800000}}},
      {"a gap joins its neighbours",
       {{}, {}, {{0.0f, 0.0f}, {100.0f, Gap}, {200.0f, 2.0f}}},
       {{65, 703, 65, 703, 1, 0x800080}, {516, 398, 65, 703, 1, 0x800080}}},
      {"a leading gap",
       {{{0.0f, Gap}, {300.0f, 1.0f}, {600.0f, 0.0f}}},
       {{742, 551, 742, 551, 1, 0x008000}, {742, 551, 1418, 703, 1, 0x008000}}},
      {"yellow last, each channel starts with its own dot",
       {{{0.0f, 0.0f}}, {}, {}, {}, {}, {{0.0f, 1.0f}, {300.0f, 1.0f}}},
       {{65, 703, 65, 703, 1, 0x008000},
        {65, 551, 65, 551, 1, 0x808000},
        {65, 551, 742, 551, 1, 0x808000}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto store = storeWith(c.channels);
    const DiagramPicture picture = Druck(screen(store.get()), metafile());
    const std::vector<GdiLineEntry> traces = traceLines(picture, MetafileGridLines);
    ASSERT_EQ(traces.size(), c.expected.size());
    for (std::size_t i = 0; i < traces.size(); ++i) {
      SCOPED_TRACE(i);
      expectLine(traces[i], c.expected[i].x1, c.expected[i].y1, c.expected[i].x2, c.expected[i].y2);
      EXPECT_EQ(traces[i].width, c.expected[i].width);
      EXPECT_EQ(traces[i].colour, c.expected[i].colour);
    }
  }
}

TEST(DruckTest, OnePerColumnDrawsOnlySamplesRightOfTheColumnBefore) {
  // 1353 seconds across 1353 units: a sample at t stands in column round(t) + 65.
  struct Case {
    const char* name;
    DrawStyle style;
    std::vector<Sample> samples;
    std::vector<int> drawnColumns;
  };
  const std::vector<Case> cases{
      {"a run in one column gives one point",
       DrawStyle::OnePerColumn,
       {{0.0f, 1.0f}, {0.2f, 1.0f}, {0.4f, 1.0f}},
       {65}},
      {"every sample with 1/s",
       DrawStyle::EveryReading,
       {{0.0f, 1.0f}, {0.2f, 1.0f}, {0.4f, 1.0f}},
       {65, 65, 65}},
      {"steps to the right",
       DrawStyle::OnePerColumn,
       {{0.0f, 1.0f}, {1.0f, 1.0f}, {2.0f, 1.0f}},
       {65, 66, 67}},
      {"a step back is skipped but lets the next one to its right be drawn",
       DrawStyle::OnePerColumn,
       {{0.0f, 1.0f}, {5.0f, 1.0f}, {3.0f, 1.0f}, {4.0f, 1.0f}},
       {65, 70, 69}},
      {"a gap keeps the column of the valid sample before it",
       DrawStyle::OnePerColumn,
       {{0.0f, 1.0f}, {5.0f, Gap}, {0.3f, 1.0f}, {5.0f, 1.0f}},
       {65, 70}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto store = storeWith({c.samples});
    DiagramInput input = screen(store.get());
    input.scale.SecondsAcross = 1353.0f;
    input.style = c.style;
    const std::vector<GdiLineEntry> traces =
        traceLines(Druck(input, metafile()), MetafileGridLines);
    ASSERT_EQ(traces.size(), c.drawnColumns.size());
    for (std::size_t i = 0; i < traces.size(); ++i) {
      SCOPED_TRACE(i);
      // Level lines keep their direction: x2 is the point drawn, x1 the one before.
      EXPECT_EQ(traces[i].x2, c.drawnColumns[i]);
      EXPECT_EQ(traces[i].x1, i == 0 ? c.drawnColumns[0] : c.drawnColumns[i - 1]);
      EXPECT_EQ(traces[i].y1, 551);
    }
  }
}

TEST(DruckTest, ChannelColoursFollowTheColourChoiceAndTheDevice) {
  const std::vector<std::uint32_t> bright{0x00FF00, 0xFF0000, 0xFF00FF,
                                          0x0000FF, 0x00FFFF, 0xFFFF00};
  const std::vector<std::uint32_t> dark{0x008000, 0x800000, 0x800080, 0x000080, 0x008080, 0x808000};
  const std::vector<std::uint32_t> black(6, 0x000000);
  struct Case {
    const char* name;
    DeviceInfo device;
    bool coloured;
    std::vector<std::uint32_t> expected;
  };
  const std::vector<Case> cases{
      {"clipboard in colour: dark", metafile(), true, dark},
      {"clipboard black and white", metafile(), false, black},
      {"colour printer in colour: bright", printer(300, 300, 3300, 2400, 3), true, bright},
      {"printer without colour: dark", printer(300, 300, 3300, 2400, 1), true, dark},
      {"colour printer, colour off: black", printer(300, 300, 3300, 2400, 3), false, black},
  };
  std::vector<std::vector<Sample>> channels(6, std::vector<Sample>{{60.0f, 1.0f}});
  const auto store = storeWith(channels);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiagramInput input = screen(store.get());
    input.coloured = c.coloured;
    const DiagramPicture picture = Druck(input, c.device);
    const std::vector<GdiLineEntry>& lines = picture.lines();
    ASSERT_GE(lines.size(), 6u);
    const std::size_t firstTrace = lines.size() - 6;
    for (std::size_t i = 0; i < firstTrace; ++i) EXPECT_EQ(lines[i].colour, 0u) << i;
    for (std::size_t ch = 0; ch < 6; ++ch) {
      SCOPED_TRACE(ch);
      EXPECT_EQ(lines[firstTrace + ch].colour, c.expected[ch]);
    }
  }
}

TEST(DruckTest, PenAcrossTheSegmentOnDevicesWithUnequalResolutions) {
  // 300 x 600 dpi, 11 x 8 inches: left 330, top 480, plot 2804 x 3840, lowest grid line at
  // 3936, 768 units per value unit. Steep segments take 2 * sx = 2, flat ones 2 * sy = 4.
  const auto store = storeWith({{{0.0f, 0.0f}, {300.0f, 0.0f}, {300.0f, 2.0f}}, {{600.0f, 0.0f}}});
  const DiagramPicture picture = Druck(screen(store.get()), printer(300, 600, 3300, 4800));
  const std::vector<GdiLineEntry>& lines = picture.lines();
  ASSERT_GE(lines.size(), 4u);
  const std::vector<GdiLineEntry> expected{
      {330, 3936, 330, 3936, 2, 0x00FF00},    // from (0, 0): steep
      {330, 3936, 1732, 3936, 4, 0x00FF00},   // flat
      {1732, 2400, 1732, 3936, 2, 0x00FF00},  // steep (stored downwards)
      {3134, 3936, 3134, 3936, 4, 0xFF0000},  // from channel 0's last point: flat
  };
  const std::size_t first = lines.size() - expected.size();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    const GdiLineEntry& line = lines[first + i];
    expectLine(line, expected[i].x1, expected[i].y1, expected[i].x2, expected[i].y2);
    EXPECT_EQ(line.width, expected[i].width);
    EXPECT_EQ(line.colour, expected[i].colour);
  }

  struct Case {
    int dpiX, dpiY;
    int steep, flat;
  };
  const std::vector<Case> cases{
      {300, 600, 2, 4}, {600, 300, 4, 2}, {100, 200, 1, 2}, {200, 100, 2, 1}};
  const auto flatThenSteep = storeWith({{{0.0f, 0.0f}, {300.0f, 0.0f}, {300.0f, 4.0f}}});
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dpiX << " x " << c.dpiY);
    const DiagramPicture p =
        Druck(screen(flatThenSteep.get()), printer(c.dpiX, c.dpiY, 11 * c.dpiX, 8 * c.dpiY));
    ASSERT_GE(p.lines().size(), 2u);
    EXPECT_EQ(p.lines()[p.lines().size() - 2].width, c.flat);
    EXPECT_EQ(p.lines().back().width, c.steep);
  }
}

TEST(DruckTest, LabelWalksStopAfterMember100) {
  // Screen grid lines one point apart: on the page every 4 units from the bottom, 191 lines.
  DiagramInput input = screen(nullptr);
  input.scale.YDivPixels = 1;
  input.scale.YOffsetPixels = 0;
  input.lblX.clear();
  input.lblY.clear();
  for (int k = 0; k < 150; ++k) input.lblY.push_back(AxisCaption{std::to_string(k), true});
  input.lblZeitEinheit.visible = false;
  DiagramPicture picture = Druck(input, metafile());
  EXPECT_EQ(picture.lines().size(), 4u + 20u + 191u);
  ASSERT_EQ(picture.texts().size(), 101u);
  EXPECT_EQ(picture.texts().back().text, "100");
  EXPECT_EQ(picture.texts().back().y, 762 - 9 - 400 + 17);
  EXPECT_EQ(picture.texts().back().x, 65 - 18 - 7);

  // Divisions of 3 units leave room for hundreds of time labels; "a" is 6 units wide.
  input = screen(nullptr);
  input.scale.XDivPixels = 1;
  input.lblY.clear();
  input.lblX.assign(150, AxisCaption{"a", true});
  input.lblZeitEinheit.visible = false;
  picture = Druck(input, metafile());
  ASSERT_EQ(picture.texts().size(), 101u);
  EXPECT_EQ(picture.texts().front().x, 62);
  EXPECT_EQ(picture.texts().back().x, 62 + 3 * 100);
}

TEST(DruckTest, HiddenLabelsStayOffThePage) {
  DiagramInput input = screen(nullptr);
  input.lblY[2].visible = false;  // beyond the screen's grid its caption may be stale
  input.lblX[0].visible = false;  // hidden under the lowest Y label
  input.lblX[3].visible = false;
  input.lblZeitEinheit.visible = false;
  const DiagramPicture picture = Druck(input, metafile());
  std::vector<std::string> texts;
  for (const GdiTextEntry& text : picture.texts()) texts.push_back(text.text);
  const std::vector<std::string> expected{"0",    "1",    "3",    "4",    "1:00", "2:00",
                                          "4:00", "5:00", "6:00", "7:00", "8:00", "9:00"};
  EXPECT_EQ(texts, expected);
}

TEST(DruckTest, ManyThousandLinesAreAllKept) {
  // Six full channels of 16000 samples in 1/s: 96000 trace lines.
  std::vector<std::vector<Sample>> channels(6);
  for (std::size_t c = 0; c < 6; ++c) {
    for (int i = 0; i < TraceStore::LastSlot; ++i) {
      channels[c].push_back(Sample{static_cast<float>(i) * 600.0f / 16000.0f,
                                   static_cast<float>((i + static_cast<int>(c)) % 5)});
    }
  }
  const auto store = storeWith(channels);
  const DiagramPicture picture = Druck(screen(store.get()), metafile());
  const std::vector<GdiLineEntry>& lines = picture.lines();
  ASSERT_EQ(lines.size(), MetafileGridLines + 6u * 16000u);
  const std::vector<std::uint32_t> dark{0x008000, 0x800000, 0x800080, 0x000080, 0x008080, 0x808000};
  for (std::size_t c = 0; c < 6; ++c) {
    SCOPED_TRACE(c);
    const std::size_t first = MetafileGridLines + c * 16000u;
    EXPECT_EQ(lines[first].colour, dark[c]);
    EXPECT_EQ(lines[first + 15999].colour, dark[c]);
  }
  // The very last sample of channel 5 (t = 599.9625 s, value 4) ends the list, joined to the
  // one before (value 3) and stored downwards.
  const GdiLineEntry& last = lines.back();
  EXPECT_EQ(last.x1, 1418);
  EXPECT_EQ(last.y1, 93);
}

TEST(DruckTest, GridStepsBelowOneUnitBecomeOne) {
  struct Case {
    const char* name;
    int screenWidth, screenHeight;
    std::size_t vertical, horizontal;
  };
  const std::vector<Case> cases{
      // round(1 * 1353 / 10000) = 0 and round(1 * 762 / 10000) = 0: steps of 1; the lowest
      // line at round(20 * 762 / 10000) = 2.
      {"a page much smaller than the screen", 10000, 10000, 2706, 761},
      {"a screen of no size", 0, 0, 2706, 763},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiagramInput input = screen(nullptr);
    input.scale.XDivPixels = 1;
    input.scale.YDivPixels = 1;
    input.plotWidth = c.screenWidth;
    input.plotHeight = c.screenHeight;
    const DiagramPicture picture = Druck(input, metafile());
    std::size_t vertical = 0;
    std::size_t horizontal = 0;
    for (std::size_t i = 4; i < picture.lines().size(); ++i) {
      const GdiLineEntry& line = picture.lines()[i];
      if (line.x1 == line.x2) ++vertical;
      if (line.y1 == line.y2) ++horizontal;
    }
    EXPECT_EQ(vertical, c.vertical);
    EXPECT_EQ(horizontal, c.horizontal);
    const GdiLineEntry& lastVertical = picture.lines()[4 + c.vertical - 1];
    EXPECT_EQ(lastVertical.x1, 65 + 1353);
  }
}

TEST(DruckTest, DegenerateScalesGiveFinitePoints) {
  struct Case {
    const char* name;
    float secondsAcross, ySpan, value;
    int x, y;
  };
  const std::vector<Case> cases{
      {"no time scale: left edge", 0.0f, 5.0f, 1.0f, 65, 551},
      {"negative time scale: left edge", -10.0f, 5.0f, 1.0f, 65, 551},
      {"no value span: lowest grid line", 600.0f, 0.0f, 1.0f, 742, 703},
      {"huge value: far above, within limits", 600.0f, 5.0f, 1e30f, 742, -1000000000},
      {"infinite value", 600.0f, 5.0f, std::numeric_limits<float>::infinity(), 742, -1000000000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto store = storeWith({{{300.0f, c.value}}});
    DiagramInput input = screen(store.get());
    input.scale.SecondsAcross = c.secondsAcross;
    input.scale.YSpan = c.ySpan;
    const std::vector<GdiLineEntry> traces =
        traceLines(Druck(input, metafile()), MetafileGridLines);
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0].x1, c.x);
    EXPECT_EQ(traces[0].y1, c.y);
  }
}

TEST(DruckTest, NothingToPrintOnWithoutWidthOrResolution) {
  struct Case {
    const char* name;
    DeviceInfo device;
  };
  const std::vector<Case> cases{
      {"no printable width", printer(300, 300, 0, 2400)},
      {"negative width", printer(300, 300, -10, 2400)},
      {"no resolution across", printer(0, 300, 3300, 2400)},
      {"no resolution down", printer(300, 0, 3300, 2400)},
  };
  const auto store = storeWith({{{0.0f, 1.0f}}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DiagramPicture picture = Druck(screen(store.get()), c.device);
    EXPECT_TRUE(picture.failed());
    EXPECT_EQ(picture.failure(), "Drucken geht nicht");
    EXPECT_TRUE(picture.lines().empty());
    EXPECT_TRUE(picture.texts().empty());
  }
  // A page of no height still lays out (a flat diagram), without failing.
  const DiagramPicture flat = Druck(screen(store.get()), printer(300, 300, 3300, 0));
  EXPECT_FALSE(flat.failed());
  EXPECT_FALSE(flat.lines().empty());
}

}  // namespace
}  // namespace kelvor
