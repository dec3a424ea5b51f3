#include "ui/DiagramPainter.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <memory>
#include <set>
#include <vector>

#include "core/printing/Druck.h"
#include "core/scope/TraceStore.h"

namespace kelvor {
namespace {

constexpr QRgb White = 0xFFFFFFFF;

QImage whitePage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

QImage painted(const DiagramPicture& picture, int width = 300, int height = 200) {
  QImage image = whitePage(width, height);
  QPainter painter(&image);
  paintDiagram(painter, picture);
  painter.end();
  return image;
}

std::uint32_t rgbAt(const QImage& image, int x, int y) {
  return image.pixel(x, y) & 0xFFFFFFu;
}

// The columns of one row (or rows of one column) that are not white.
std::set<int> inkAcross(const QImage& image, int row) {
  std::set<int> found;
  for (int x = 0; x < image.width(); ++x)
    if (image.pixel(x, row) != White) found.insert(x);
  return found;
}
std::set<int> inkDown(const QImage& image, int column) {
  std::set<int> found;
  for (int y = 0; y < image.height(); ++y)
    if (image.pixel(column, y) != White) found.insert(y);
  return found;
}

std::set<int> range(int from, int to) {
  std::set<int> values;
  for (int v = from; v <= to; ++v) values.insert(v);
  return values;
}

TEST(DiagramPainterTest, LinesLandOnTheirDotsInTheirWidthAndColour) {
  // Each line's thickness is centred on its coordinate: w dots from c - w / 2.
  struct Case {
    int width;
    std::uint32_t colour;
  };
  const std::vector<Case> cases{{1, 0x000000}, {2, 0x800000}, {3, 0x008000}, {4, 0x000080}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    DiagramPicture picture;
    picture.GdiLine(100, 20, 100, 180, c.width, c.colour);  // vertical
    picture.GdiLine(150, 60, 250, 60, c.width, c.colour);   // horizontal
    const QImage image = painted(picture);
    const int first = 100 - c.width / 2;
    EXPECT_EQ(inkAcross(image, 120), range(first, first + c.width - 1));
    const int top = 60 - c.width / 2;
    EXPECT_EQ(inkDown(image, 200), range(top, top + c.width - 1));
    // No antialiasing: the exact colour, not a blend.
    EXPECT_EQ(rgbAt(image, 100, 120), c.colour);
    EXPECT_EQ(rgbAt(image, 200, 60), c.colour);
    // The ends are drawn.
    EXPECT_EQ(rgbAt(image, 100, 20), c.colour);
    EXPECT_EQ(rgbAt(image, 100, 180), c.colour);
    EXPECT_EQ(rgbAt(image, 250, 60), c.colour);
  }
}

TEST(DiagramPainterTest, ALineOfNoLengthIsADotOfThePensWidth) {
  for (int width : {0, 1, 2, 3, 4, 6}) {
    SCOPED_TRACE(width);
    DiagramPicture picture;
    picture.GdiLine(50, 50, 50, 50, width, 0x808000);
    const QImage image = painted(picture);
    const int w = std::max(width, 1);
    const int first = 50 - w / 2;
    EXPECT_EQ(inkAcross(image, 50), range(first, first + w - 1));
    EXPECT_EQ(inkDown(image, 50), range(first, first + w - 1));
    EXPECT_EQ(rgbAt(image, 50, 50), 0x808000u);
  }
}

TEST(DiagramPainterTest, TextsStandOnTopOfTheLinesWithTheirCellAtTheirPosition) {
  DiagramPicture picture;
  picture.GdiFont("Arial", 20, 0);  // 40 units high
  picture.GdiLine(0, 100, 299, 100, 1, 0xFF0000);
  // The line runs through the text "HH" (cell top 80, baseline about 80 + ascent).
  picture.GdiText(60, 80, "HH");
  const QImage image = painted(picture);

  const QFontMetrics metrics(diagramFont(picture.texts()[0].font), &image);
  const int right = 60 + metrics.horizontalAdvance(QStringLiteral("HH"));
  int inkTop = image.height();
  int inkBottom = -1;
  bool textOverLine = false;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t rgb = rgbAt(image, x, y);
      if (y == 100) {
        if (rgb != 0xFF0000u) textOverLine = true;
        continue;
      }
      if (rgb == 0xFFFFFFu) continue;
      EXPECT_GE(x, 59) << "ink left of the cell at " << x << "," << y;
      EXPECT_LE(x, right) << "ink right of the cell at " << x << "," << y;
      inkTop = std::min(inkTop, y);
      inkBottom = std::max(inkBottom, y);
    }
  }
  EXPECT_TRUE(textOverLine) << "the texts are written after the lines";
  EXPECT_GE(inkTop, 80);
  // Capital letters end on the baseline, one ascent below the cell's top.
  EXPECT_NEAR(inkBottom, 80 + metrics.ascent() - 1, 1);
}

// A whole diagram on the clipboard page: every grid line and trace point where the layout
// put it.
TEST(DiagramPainterTest, DiagramOnAnImageShowsFrameGridAndTracesAtTheirPlaces) {
  auto store = std::make_unique<TraceStore>();
  // Channel 2 (magenta): a level line at 0.5, between the grid lines 0 and 1.
  store->setSample(2, 1, 0.5f, 0.0f);
  store->setSample(2, 2, 0.5f, 450.0f);
  store->setCount(2, 2);

  DiagramInput input;
  input.store = store.get();
  input.scale.SecondsAcross = 600.0f;
  input.scale.XDivPixels = 40;
  input.scale.YDivPixels = 40;
  input.scale.YOffsetPixels = 20;
  input.scale.YSpan = 5.0f;
  input.plotWidth = 400;
  input.plotHeight = 200;
  input.coloured = true;
  QImage image = whitePage(MetafileWidth, MetafileHeight);
  DeviceInfo device;
  device.metafile = true;
  device.measureText = textMeasureFor(&image);
  const DiagramPicture picture = Druck(input, device);
  ASSERT_EQ(picture.lines().size(), 29u + 2u);
  {
    QPainter painter(&image);
    paintDiagram(painter, picture);
  }

  // Frame: x 65 to 1417, y 17 to 779.
  for (int x : {65, 400, 1417}) {
    EXPECT_EQ(rgbAt(image, x, 17), 0u) << x;
    EXPECT_EQ(rgbAt(image, x, 779), 0u) << x;
  }
  for (int y : {17, 300, 779}) {
    EXPECT_EQ(rgbAt(image, 65, y), 0u) << y;
    EXPECT_EQ(rgbAt(image, 1417, y), 0u) << y;
  }
  // Grid lines of the layout, checked away from the trace and each other.
  std::vector<int> columns;
  std::vector<int> rows;
  for (std::size_t i = 4; i < 29; ++i) {
    const GdiLineEntry& line = picture.lines()[i];
    if (line.x1 == line.x2) {
      columns.push_back(line.x1);
      EXPECT_EQ(rgbAt(image, line.x1, 170), 0u) << "vertical line at " << line.x1;
      EXPECT_NE(image.pixel(line.x1 + 1, 170), image.pixel(line.x1, 170)) << line.x1;
    } else {
      rows.push_back(line.y1);
      EXPECT_EQ(rgbAt(image, 100, line.y1), 0u) << "horizontal line at " << line.y1;
      EXPECT_EQ(rgbAt(image, 100, line.y1 + 1), 0xFFFFFFu) << line.y1;
    }
  }
  EXPECT_EQ(columns.size(), 20u);
  EXPECT_EQ(rows.size(), 5u);
  // The trace: from (65, 627) to (1080, 627) in dark magenta; 0.5 lies 76.2 units above
  // the lowest grid line at 703.
  for (int x : {66, 500, 1079}) EXPECT_EQ(rgbAt(image, x, 627), 0x800080u) << x;
  EXPECT_EQ(rgbAt(image, 1100, 627), 0xFFFFFFu);
  // Inside a grid cell: paper.
  EXPECT_EQ(rgbAt(image, 150, 300), 0xFFFFFFu);
}

}  // namespace
}  // namespace kelvor
