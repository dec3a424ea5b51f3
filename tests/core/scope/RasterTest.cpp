#include "core/scope/Raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kelvor {
namespace {

constexpr std::uint32_t Red = 0xFF0000;

using Pixel = std::pair<std::int64_t, std::int64_t>;  // (x, y)

// Textbook Bresenham, one pixel per step along the major axis, starting from the end with
// the smaller major coordinate; the minor coordinate moves when the decision term is
// positive, so an exact half stays on the start's side.
std::vector<Pixel> referenceLine(std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                 std::int64_t y2) {
  const bool xMajor = std::llabs(x2 - x1) >= std::llabs(y2 - y1);
  if (xMajor ? x1 > x2 : y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  std::vector<Pixel> pixels;
  if (xMajor) {
    const std::int64_t dx = x2 - x1;
    const std::int64_t dy = std::llabs(y2 - y1);
    const std::int64_t sy = y2 < y1 ? -1 : 1;
    std::int64_t d = 2 * dy - dx;
    for (std::int64_t x = x1, y = y1; x <= x2; ++x) {
      pixels.emplace_back(x, y);
      if (d > 0) {
        y += sy;
        d -= 2 * dx;
      }
      d += 2 * dy;
    }
  } else {
    const std::int64_t dy = y2 - y1;
    const std::int64_t dx = std::llabs(x2 - x1);
    const std::int64_t sx = x2 < x1 ? -1 : 1;
    std::int64_t d = 2 * dx - dy;
    for (std::int64_t y = y1, x = x1; y <= y2; ++y) {
      pixels.emplace_back(x, y);
      if (d > 0) {
        x += sx;
        d -= 2 * dy;
      }
      d += 2 * dx;
    }
  }
  return pixels;
}

// The raster's pixels in the colour, as a set.
std::set<Pixel> pixelsIn(const Raster& raster, std::uint32_t rgb) {
  std::set<Pixel> found;
  for (int y = 0; y < raster.height(); ++y) {
    for (int x = 0; x < raster.width(); ++x) {
      if (raster.pixel(x, y) == rgb) found.emplace(x, y);
    }
  }
  return found;
}

std::set<Pixel> insideOnly(const std::vector<Pixel>& pixels, int width, int height) {
  std::set<Pixel> inside;
  for (const Pixel& p : pixels) {
    if (p.first >= 0 && p.first < width && p.second >= 0 && p.second < height) inside.insert(p);
  }
  return inside;
}

// The smallest rectangle around the pixels; empty without any.
RasterRect boundsOf(const std::set<Pixel>& pixels) {
  if (pixels.empty()) return {};
  std::int64_t left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const Pixel& p : pixels) {
    left = std::min(left, p.first);
    right = std::max(right, p.first);
    top = std::min(top, p.second);
    bottom = std::max(bottom, p.second);
  }
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left + 1),
          static_cast<int>(bottom - top + 1)};
}

bool sameRect(const RasterRect& a, const RasterRect& b) {
  if (a.empty() || b.empty()) return a.empty() == b.empty();
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

std::string describe(int x1, int y1, int x2, int y2) {
  return "line (" + std::to_string(x1) + ", " + std::to_string(y1) + ") - (" + std::to_string(x2) +
         ", " + std::to_string(y2) + ")";
}

struct LineCase {
  int x1, y1, x2, y2;
};

TEST(RasterLine, EveryOctantAndPointsMatchTheReferenceWithBothEnds) {
  const std::vector<LineCase> cases{
      {20, 20, 20, 20},                                                        // a point
      {20, 20, 30, 20}, {20, 20, 10, 20}, {20, 20, 20, 31}, {20, 20, 20, 9},   // axes
      {20, 20, 30, 30}, {20, 20, 10, 10}, {20, 20, 30, 10}, {20, 20, 10, 30},  // diagonals
      {20, 20, 33, 25}, {20, 20, 25, 33}, {20, 20, 15, 33}, {20, 20, 7, 25},   // 8 octants
      {20, 20, 7, 15},  {20, 20, 15, 7},  {20, 20, 25, 7},  {20, 20, 33, 15},
      {20, 20, 24, 22}, {20, 20, 22, 24}, {20, 20, 16, 22}, {20, 20, 18, 16},  // exact halves
      {20, 20, 21, 21}, {20, 20, 21, 20}, {20, 20, 20, 21}, {0, 0, 39, 1},     // short, long
      {0, 39, 1, 0},    {39, 0, 0, 39},   {3, 1, 36, 38}};
  for (const LineCase& c : cases) {
    for (bool reversed : {false, true}) {
      SCOPED_TRACE(describe(c.x1, c.y1, c.x2, c.y2) + (reversed ? " drawn backwards" : ""));
      Raster raster(40, 40);
      if (reversed) {
        raster.line(c.x2, c.y2, c.x1, c.y1, Red);
      } else {
        raster.line(c.x1, c.y1, c.x2, c.y2, Red);
      }
      const std::vector<Pixel> expected = referenceLine(c.x1, c.y1, c.x2, c.y2);
      EXPECT_EQ(pixelsIn(raster, Red), std::set<Pixel>(expected.begin(), expected.end()));
      EXPECT_EQ(raster.pixel(c.x1, c.y1), Red);
      EXPECT_EQ(raster.pixel(c.x2, c.y2), Red);
      // One unit wide and unbroken: exactly one pixel per step along the longer axis.
      const std::size_t steps =
          static_cast<std::size_t>(std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1)) + 1);
      EXPECT_EQ(pixelsIn(raster, Red).size(), steps);
    }
  }
}

TEST(RasterLine, ClipsToTheSamePixelsAsTheWholeLine) {
  // Ends up to tens of thousands of units outside a small raster, in every direction.
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> far(-40000, 40000);
  std::uniform_int_distribution<int> near(-20, 60);
  for (int n = 0; n < 300; ++n) {
    LineCase c{far(random), far(random), far(random), far(random)};
    if (n % 3 == 0) {  // one end inside or near: a line that usually crosses the raster
      c.x1 = near(random);
      c.y1 = near(random);
    } else if (n % 3 == 1) {  // aimed through the raster: both ends mirrored about a point in it
      const int cx = near(random), cy = near(random);
      c.x2 = 2 * cx - c.x1;
      c.y2 = 2 * cy - c.y1;
    }
    SCOPED_TRACE(describe(c.x1, c.y1, c.x2, c.y2));
    Raster raster(41, 29);
    raster.line(c.x1, c.y1, c.x2, c.y2, Red);
    EXPECT_EQ(pixelsIn(raster, Red), insideOnly(referenceLine(c.x1, c.y1, c.x2, c.y2), 41, 29));
  }
}

TEST(RasterLine, ClipsExactlyAtEveryEdgeAndCorner) {
  // Every line between two points of a ring around a small raster, and from the ring to
  // every point inside: many of them cross an edge exactly half-way between two pixels.
  std::vector<std::pair<int, int>> ring;
  for (int x = -5; x <= 13; ++x) {
    ring.emplace_back(x, -5);
    ring.emplace_back(x, 11);
  }
  for (int y = -4; y <= 10; ++y) {
    ring.emplace_back(-5, y);
    ring.emplace_back(13, y);
  }
  std::vector<std::pair<int, int>> ends = ring;
  for (int x = 0; x < 9; ++x) {
    for (int y = 0; y < 7; ++y) ends.emplace_back(x, y);
  }
  Raster raster(9, 7);
  for (const auto& [x1, y1] : ring) {
    for (const auto& [x2, y2] : ends) {
      raster.clear();
      raster.takeChanged();
      raster.line(x1, y1, x2, y2, Red);
      const std::set<Pixel> expected = insideOnly(referenceLine(x1, y1, x2, y2), 9, 7);
      const std::set<Pixel> drawn = pixelsIn(raster, Red);
      const RasterRect changed = raster.takeChanged();
      if (drawn != expected || !sameRect(changed, boundsOf(expected))) {
        ADD_FAILURE() << describe(x1, y1, x2, y2);
      }
    }
  }
}

TEST(RasterLine, EndsNearTheLimitsOfIntDrawOnlyTheVisiblePart) {
  // Lines whose visible pixels are known in closed form; walking them pixel by pixel would
  // take billions of steps.
  struct FarCase {
    LineCase line;
    std::set<Pixel> visible;
  };
  const auto alongX = [](int from, int to, auto yOfX) {
    std::set<Pixel> pixels;
    for (int x = from; x <= to; ++x) pixels.emplace(x, yOfX(x));
    return pixels;
  };
  const auto alongY = [](int from, int to, auto xOfY) {
    std::set<Pixel> pixels;
    for (int y = from; y <= to; ++y) pixels.emplace(xOfY(y), y);
    return pixels;
  };
  const std::vector<FarCase> cases{
      {{-1000000000, -1000000000, 1000000000, 1000000000}, alongX(0, 29, [](int x) { return x; })},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, alongX(0, 29, [](int x) { return x; })},
      {{INT_MIN, 7, INT_MAX, 7}, alongX(0, 39, [](int) { return 7; })},
      {{12, INT_MAX, 12, INT_MIN}, alongY(0, 29, [](int) { return 12; })},
      // Slope 1/2 through the origin: every odd x is an exact half, which stays on the side
      // of the left end, so y = floor(x / 2), whichever end comes first.
      {{-1000000000, -500000000, 1000000000, 500000000},
       alongX(0, 39, [](int x) { return x / 2; })},
      {{1000000000, 500000000, -1000000000, -500000000},
       alongX(0, 39, [](int x) { return x / 2; })},
      // Slope -3/7 through (0, 20), never an exact half: y = 20 - round(3x / 7).
      {{-700000000, 300000020, 700000000, -299999980},
       alongX(0, 39, [](int x) { return 20 - (6 * x + 7) / 14; })},
      // Steep, through (10, 0), never an exact half: x = 10 + round(2y / 5).
      {{-399999990, -1000000000, 400000010, 1000000000},
       alongY(0, 29, [](int y) { return 10 + (4 * y + 5) / 10; })},
      // Passing just above the top-right corner, and lines wholly on one side.
      {{-1000000000, -1000000040, 1000000000, 999999960}, {}},
      {{INT_MIN, INT_MAX, INT_MIN, INT_MIN}, {}},
      {{INT_MIN, -1, INT_MAX, -1}, {}},
      {{-5, INT_MIN, INT_MAX, -5}, {}},
  };
  for (const FarCase& c : cases) {
    SCOPED_TRACE(describe(c.line.x1, c.line.y1, c.line.x2, c.line.y2));
    Raster raster(40, 30);
    raster.line(c.line.x1, c.line.y1, c.line.x2, c.line.y2, Red);
    EXPECT_EQ(pixelsIn(raster, Red), c.visible);
  }
}

TEST(Raster, KeepsOpaqueColoursAndIgnoresPointsOutside) {
  Raster raster(5, 4);
  const std::vector<std::uint32_t> black(20, 0xFF000000u);
  EXPECT_EQ(std::vector<std::uint32_t>(raster.data(), raster.data() + 20), black);

  raster.setPixel(2, 3, 0x123456);
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{
           {-1, 0}, {0, -1}, {5, 0}, {0, 4}, {INT_MIN, INT_MIN}, {INT_MAX, 2}}) {
    raster.setPixel(x, y, Red);
    EXPECT_EQ(raster.pixel(x, y), 0u);
  }
  EXPECT_EQ(raster.pixel(2, 3), 0x123456u);
  EXPECT_EQ(raster.data()[3 * 5 + 2], 0xFF123456u);
  EXPECT_EQ(pixelsIn(raster, Red).size(), 0u);

  raster.clear(0x00FF00);
  EXPECT_EQ(pixelsIn(raster, 0x00FF00).size(), 20u);
  raster.resize(3, 2);
  EXPECT_EQ(std::vector<std::uint32_t>(raster.data(), raster.data() + 6),
            std::vector<std::uint32_t>(6, 0xFF000000u));

  Raster empty(0, 0);
  empty.line(-10, -10, 10, 10, Red);
  empty.setPixel(0, 0, Red);
  EXPECT_EQ(empty.pixel(0, 0), 0u);
  EXPECT_TRUE(empty.takeChanged().empty());
}

struct ChangedCase {
  std::string what;
  std::vector<LineCase> lines;  // a point is a line from a point to itself
  RasterRect expected;
};

TEST(RasterChanged, BoundsEverythingDrawnSinceTheLastCall) {
  const std::vector<ChangedCase> cases{
      {"nothing", {}, {0, 0, 0, 0}},
      {"one pixel", {{3, 2, 3, 2}}, {3, 2, 1, 1}},
      {"a line", {{2, 1, 6, 4}}, {2, 1, 5, 4}},
      {"a line backwards", {{6, 4, 2, 1}}, {2, 1, 5, 4}},
      {"two pixels", {{1, 8, 1, 8}, {7, 3, 7, 3}}, {1, 3, 7, 6}},
      {"a row beyond both sides", {{-50, 2, 200, 2}}, {0, 2, 20, 1}},
      {"a column beyond both sides", {{4, -9, 4, 99}}, {4, 0, 1, 10}},
      {"only outside", {{-5, -5, -1, 9}, {25, 3, 25, 3}, {0, 10, 19, 30}}, {0, 0, 0, 0}},
      // Enters at the top in column 1, leaves at the bottom in column 3.
      {"clipped steep line", {{-1, -10, 3, 10}}, {1, 0, 3, 10}},
      {"far line through a corner",
       {{-1000000000, 1000000009, 1000000000, -999999991}},
       {0, 0, 10, 10}},
  };
  for (const ChangedCase& c : cases) {
    SCOPED_TRACE(c.what);
    Raster raster(20, 10);
    raster.takeChanged();
    for (const LineCase& l : c.lines) raster.line(l.x1, l.y1, l.x2, l.y2, Red);
    const RasterRect changed = raster.takeChanged();
    EXPECT_EQ(changed.empty(), c.expected.empty());
    if (!c.expected.empty()) {
      EXPECT_EQ(changed.x, c.expected.x);
      EXPECT_EQ(changed.y, c.expected.y);
      EXPECT_EQ(changed.width, c.expected.width);
      EXPECT_EQ(changed.height, c.expected.height);
    }
    EXPECT_TRUE(raster.takeChanged().empty()) << "forgotten after the call";
  }
}

TEST(RasterChanged, IsTightAroundClippedLines) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-60, 80);
  for (int n = 0; n < 500; ++n) {
    const LineCase c{coordinate(random), coordinate(random), coordinate(random),
                     coordinate(random)};
    SCOPED_TRACE(describe(c.x1, c.y1, c.x2, c.y2));
    Raster raster(23, 17);
    raster.takeChanged();
    raster.line(c.x1, c.y1, c.x2, c.y2, Red);
    const RasterRect changed = raster.takeChanged();
    const RasterRect expected = boundsOf(pixelsIn(raster, Red));
    EXPECT_TRUE(sameRect(changed, expected))
        << "changed " << changed.x << ", " << changed.y << ", " << changed.width << " x "
        << changed.height << "; drawn " << expected.x << ", " << expected.y << ", "
        << expected.width << " x " << expected.height;
  }
}

TEST(RasterChanged, ClearAndResizeChangeEverything) {
  Raster raster(8, 6);
  const RasterRect created = raster.takeChanged();
  EXPECT_EQ(created.x, 0);
  EXPECT_EQ(created.y, 0);
  EXPECT_EQ(created.width, 8);
  EXPECT_EQ(created.height, 6);

  raster.setPixel(3, 3, Red);
  raster.clear();
  const RasterRect cleared = raster.takeChanged();
  EXPECT_EQ(cleared.width, 8);
  EXPECT_EQ(cleared.height, 6);

  raster.resize(11, 2);
  const RasterRect resized = raster.takeChanged();
  EXPECT_EQ(resized.x, 0);
  EXPECT_EQ(resized.y, 0);
  EXPECT_EQ(resized.width, 11);
  EXPECT_EQ(resized.height, 2);
}

}  // namespace
}  // namespace kelvor
