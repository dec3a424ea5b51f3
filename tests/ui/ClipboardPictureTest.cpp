#include "ui/ClipboardPicture.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <memory>
#include <vector>

#include "core/scope/TraceStore.h"

namespace kelvor {
namespace {

// Six channels, each a rising line across the middle of the plot.
std::unique_ptr<TraceStore> sixChannels() {
  auto store = std::make_unique<TraceStore>();
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    for (int i = 1; i <= 50; ++i)
      store->setSample(ch, i, 0.5f + 0.1f * static_cast<float>(ch) + 0.01f * static_cast<float>(i),
                       12.0f * static_cast<float>(i));
    store->setCount(ch, 50);
  }
  return store;
}

DiagramInput screen(const TraceStore* store, bool coloured) {
  DiagramInput input;
  input.store = store;
  input.scale.SecondsAcross = 600.0f;
  input.scale.XDivPixels = 40;
  input.scale.YDivPixels = 40;
  input.scale.YOffsetPixels = 20;
  input.scale.YSpan = 5.0f;
  input.plotWidth = 400;
  input.plotHeight = 200;
  for (int k = 0; k <= 10; ++k) input.lblX.push_back(AxisCaption{std::to_string(k) + ":00", true});
  for (int k = 0; k <= 4; ++k) input.lblY.push_back(AxisCaption{std::to_string(k), true});
  input.lblZeitEinheit = AxisCaption{"t in min -->", true};
  input.coloured = coloured;
  return input;
}

// The attributes of the SVG's root element.
QXmlStreamAttributes rootAttributes(const QByteArray& svg) {
  QXmlStreamReader reader(svg);
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement) return reader.attributes();
  }
  return {};
}

// Every stroke colour the SVG uses, as "#rrggbb".
QSet<QString> strokeColours(const QByteArray& svg) {
  QSet<QString> colours;
  static const QRegularExpression stroke(QStringLiteral("stroke=\"(#[0-9a-fA-F]{6})\""));
  auto it = stroke.globalMatch(QString::fromUtf8(svg));
  while (it.hasNext()) colours.insert(it.next().captured(1).toLower());
  return colours;
}

// Every colour of the image that is not a grey (texts are smoothed, so greys occur).
QSet<QRgb> colouredPixels(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)) colours.insert(p & 0xFFFFFF);
    }
  }
  return colours;
}

TEST(ClipboardPictureTest, CopyOffersSvgAndBitmapOfTheRightSize) {
  const auto store = sixChannels();
  struct Case {
    const char* name;
    bool coloured;
    QSet<QString> strokes;
    QSet<QRgb> pixels;
  };
  const std::vector<Case> cases{
      {"colour: the dark channel colours",
       true,
       {"#000000", "#008000", "#800000", "#800080", "#000080", "#008080", "#808000"},
       {0x008000, 0x800000, 0x800080, 0x000080, 0x008080, 0x808000}},
      {"black and white", false, {"#000000"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QGuiApplication::clipboard()->clear();
    ClipboardPicture::copy(screen(store.get(), c.coloured));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat(QStringLiteral("image/svg+xml")));
    ASSERT_TRUE(data->hasImage());

    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    const QXmlStreamAttributes root = rootAttributes(svg);
    EXPECT_EQ(root.value(QStringLiteral("width")).toString(), QStringLiteral("381mm"));
    EXPECT_EQ(root.value(QStringLiteral("height")).toString(), QStringLiteral("224.12mm"));
    EXPECT_EQ(root.value(QStringLiteral("viewBox")).toString(), QStringLiteral("0 0 1440 847"));
    EXPECT_EQ(strokeColours(svg), c.strokes);

    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(1440, 847));
    EXPECT_EQ(colouredPixels(image), c.pixels);
    // The frame's top-left corner and the paper beside it.
    EXPECT_EQ(image.pixel(65, 17) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(30, 5) & 0xFFFFFF, 0xFFFFFFu);
  }
}

TEST(ClipboardPictureTest, BitmapAndSvgShowTheSamePicture) {
  const auto store = sixChannels();
  const DiagramPicture picture = ClipboardPicture::layout(screen(store.get(), true));
  const QByteArray svg = ClipboardPicture::svg(picture);
  // Each queued line is one SVG line, or for a dot (each channel's first point) a square;
  // each text one SVG text.
  std::size_t dots = 0;
  for (const GdiLineEntry& line : picture.lines())
    dots += line.x1 == line.x2 && line.y1 == line.y2 ? 1 : 0;
  EXPECT_EQ(dots, 6u);
  EXPECT_EQ(svg.count("<polyline"), static_cast<qsizetype>(picture.lines().size() - dots));
  EXPECT_EQ(svg.count("<rect"), static_cast<qsizetype>(dots));
  EXPECT_EQ(svg.count("<text"), static_cast<qsizetype>(picture.texts().size()));
  for (const GdiTextEntry& text : picture.texts()) {
    const QString escaped = QString::fromStdString(text.text).toHtmlEscaped();
    EXPECT_TRUE(svg.contains(">" + escaped.toUtf8() + "</text>")) << text.text;
  }

  const QImage image = ClipboardPicture::image(picture);
  // The last sample of each channel, where the layout put it, in its colour.
  for (std::size_t ch = 0; ch < 6; ++ch) {
    const GdiLineEntry& last = picture.lines()[picture.lines().size() - 6 * 50 + ch * 50 + 49];
    SCOPED_TRACE(ch);
    EXPECT_EQ(image.pixel(last.x1, last.y1) & 0xFFFFFF, last.colour);
  }
}

}  // namespace
}  // namespace kelvor
