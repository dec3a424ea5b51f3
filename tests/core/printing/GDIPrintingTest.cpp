#include "core/printing/GDIPrinting.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace kelvor {
namespace {

TEST(GdiRoundTest, RoundsHalfUpAndNeverBelowOne) {
  struct Case {
    double v;
    int expected;
  };
  const std::vector<Case> cases{
      {0.0, 1},
      {0.5, 1},
      {0.51, 1},
      {2.0 / 3.0, 1},
      {1.0, 1},
      {1.49, 1},
      {1.5, 2},
      {2.0, 2},
      {2.5, 3},
      {3.5, 4},
      {4.0 / 3.0, 1},
      {-3.0, 1},
      {-0.6, 1},
      {1e300, std::numeric_limits<int>::max()},
      {std::numeric_limits<double>::quiet_NaN(), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(GdiRound(c.v), c.expected);
  }
}

TEST(GdiLineTest, StoresEveryLineRunningDownwardsOrLevel) {
  struct Case {
    int x1, y1, x2, y2;
    GdiLineEntry expected;
  };
  const std::vector<Case> cases{
      {10, 20, 30, 5, {30, 5, 10, 20, 3, 0x123456}},  // upwards: ends swapped
      {10, 5, 30, 20, {10, 5, 30, 20, 3, 0x123456}},  // downwards: as given
      {30, 7, 10, 7, {30, 7, 10, 7, 3, 0x123456}},    // level: as given, leftwards stays
      {4, 9, 4, 9, {4, 9, 4, 9, 3, 0x123456}},        // a dot
      {-5, 0, 8, -40, {8, -40, -5, 0, 3, 0x123456}},  // negative coordinates
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2);
    DiagramPicture picture;
    picture.GdiLine(c.x1, c.y1, c.x2, c.y2, 3, 0x123456);
    ASSERT_EQ(picture.lines().size(), 1u);
    const GdiLineEntry& line = picture.lines()[0];
    EXPECT_EQ(line.x1, c.expected.x1);
    EXPECT_EQ(line.y1, c.expected.y1);
    EXPECT_EQ(line.x2, c.expected.x2);
    EXPECT_EQ(line.y2, c.expected.y2);
    EXPECT_EQ(line.width, 3);
    EXPECT_EQ(line.colour, 0x123456u);
  }
}

TEST(GdiTextTest, LeavesOutEmptyTextsAndKeepsTheFontOfTheirTime) {
  DiagramPicture picture;
  picture.GdiText(1, 2, "no font");
  picture.GdiFont("Arial", 8, 0);
  picture.GdiText(3, 4, "");
  picture.GdiText(5, 6, "eight");
  picture.GdiFont("Arial", 14, 9);
  picture.GdiText(7, 8, "fourteen");
  picture.GdiFont("", 14, 0);
  picture.GdiText(9, 10, "released");

  ASSERT_EQ(picture.texts().size(), 4u);
  const std::vector<GdiTextEntry>& texts = picture.texts();
  EXPECT_EQ(texts[0].text, "no font");
  EXPECT_TRUE(texts[0].font.face.empty());
  EXPECT_EQ(texts[1].text, "eight");
  EXPECT_EQ(texts[1].x, 5);
  EXPECT_EQ(texts[1].y, 6);
  EXPECT_EQ(texts[1].font, (GdiTextFont{"Arial", 16, 0}));
  EXPECT_EQ(texts[2].font, (GdiTextFont{"Arial", 28, 90}));
  EXPECT_TRUE(texts[3].font.face.empty());
  EXPECT_TRUE(picture.font().face.empty());
}

TEST(GdiFontTest, HeightIsTwiceTheSizeAndAtLeastOne) {
  struct Case {
    int size;
    int height;
  };
  const std::vector<Case> cases{{8, 16}, {12, 24}, {14, 28}, {28, 56}, {0, 1}, {-4, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    DiagramPicture picture;
    picture.GdiFont("Arial", c.size, 0);
    EXPECT_EQ(picture.font().height, c.height);
    EXPECT_EQ(picture.font().face, "Arial");
  }
}

TEST(DiagramPictureTest, ClearEmptiesBothLists) {
  DiagramPicture picture;
  picture.GdiFont("Arial", 8, 0);
  for (int i = 0; i < 20000; ++i) picture.GdiLine(i, 0, i, 10, 1, 0);
  picture.GdiText(0, 0, "a");
  EXPECT_EQ(picture.lines().size(), 20000u);
  picture.clear();
  EXPECT_TRUE(picture.lines().empty());
  EXPECT_TRUE(picture.texts().empty());
}

TEST(GdiPrintableAreaTest, PaintRectangleCutToThePaper) {
  struct Case {
    const char* name;
    int paperW, paperH, left, top, width, height;
    PrintableArea expected;
  };
  const std::vector<Case> cases{
      {"A4 landscape at 300 dpi", 3508, 2480, 104, 40, 3300, 2400, {104, 40, 3300, 2400}},
      {"no margins", 3300, 2400, 0, 0, 3300, 2400, {0, 0, 3300, 2400}},
      {"reaching past the paper", 1000, 800, 100, 50, 950, 900, {100, 50, 900, 750}},
      {"no width", 1000, 800, 0, 0, 0, 800, {0, 0, 0, 800}},
      {"negative size", 1000, 800, 10, 10, -5, -7, {10, 10, 0, 0}},
      {"offset beyond the paper", 1000, 800, 1200, 900, 100, 100, {1000, 800, 0, 0}},
      {"negative offset", 1000, 800, -20, -30, 500, 400, {0, 0, 500, 400}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PrintableArea area =
        GdiPrintableArea(c.paperW, c.paperH, c.left, c.top, c.width, c.height);
    EXPECT_EQ(area.offsetX, c.expected.offsetX);
    EXPECT_EQ(area.offsetY, c.expected.offsetY);
    EXPECT_EQ(area.width, c.expected.width);
    EXPECT_EQ(area.height, c.expected.height);
  }
}

}  // namespace
}  // namespace kelvor
