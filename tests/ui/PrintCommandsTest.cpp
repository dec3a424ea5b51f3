#include "ui/PrintCommands.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <vector>

#include "core/printing/Druck.h"
#include "support/StartedMainWindow.h"
#include "ui/frmMain.h"

namespace kelvor {
namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int pdfPages(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  int count = 0;
  auto it = page.globalMatch(QString::fromLatin1(pdf));
  while (it.hasNext()) {
    it.next();
    ++count;
  }
  return count;
}

// The override cursor's shape, if one is set.
std::optional<Qt::CursorShape> pointer() {
  if (const QCursor* cursor = QApplication::overrideCursor()) return cursor->shape();
  return std::nullopt;
}

// The real main window on a pseudo-terminal, with the print commands on its parts.
class PrintCommandsTest : public testing::StartedMainWindow {
 protected:
  void SetUp() override {
    ASSERT_TRUE(files.isValid());
    startWindow();
    if (HasFatalFailure()) return;
    commands = std::make_unique<PrintCommands>(window->traces(), window->scope(),
                                               window->controls(), globals, window.get(),
                                               [this](QWidget*, const QString& text) {
                                                 messages << text;
                                                 pointerAtMessage = pointer();
                                               });
    // Several channels with samples across the first minutes.
    for (int ch = 0; ch < 3; ++ch) {
      for (int i = 1; i <= 100; ++i)
        window->traces().setSample(ch, i, 0.2f + 0.4f * static_cast<float>(ch),
                                   6.0f * static_cast<float>(i));
      window->traces().setCount(ch, 100);
    }
  }
  void TearDown() override {
    commands.reset();
    closeWindow();
  }

  // A PDF printer at 300 dpi on A4 in landscape.
  void pdfPrinter(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
  }

  QTemporaryDir files;
  std::unique_ptr<PrintCommands> commands;
  QStringList messages;
  std::optional<Qt::CursorShape> pointerAtMessage;
};

TEST_F(PrintCommandsTest, DiagramInputIsWhatTheScreenShows) {
  const MainControls& controls = window->controls();
  controls.optDrawStyle[1]->click();
  const DiagramInput input = commands->diagramInput(true);
  EXPECT_EQ(input.store, &window->traces());
  EXPECT_EQ(input.style, DrawStyle::OnePerColumn);
  EXPECT_EQ(input.plotWidth, window->scope().raster().width());
  EXPECT_EQ(input.plotHeight, window->scope().raster().height());
  EXPECT_GT(input.plotWidth, 0);
  EXPECT_EQ(input.scale.XDivPixels, window->scope().scale().XDivPixels);
  EXPECT_EQ(input.scale.YDivPixels, window->scope().scale().YDivPixels);
  ASSERT_EQ(input.lblX.size(), controls.lblX.size());
  ASSERT_EQ(input.lblY.size(), controls.lblY.size());
  for (std::size_t k = 0; k < controls.lblY.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(input.lblY[k].text, controls.lblY[k]->text().toStdString());
    EXPECT_EQ(input.lblY[k].visible, !controls.lblY[k]->isHidden());
  }
  EXPECT_EQ(input.lblX[1].text, controls.lblX[1]->text().toStdString());
  EXPECT_EQ(input.lblZeitEinheit.text, "t in min -->");
  // The screen shows some Y labels and hides the rest.
  std::size_t shown = 0;
  for (const AxisCaption& label : input.lblY) shown += label.visible ? 1 : 0;
  EXPECT_GT(shown, 1u);
  EXPECT_LT(shown, input.lblY.size());
  EXPECT_TRUE(input.coloured);
  EXPECT_FALSE(commands->diagramInput(false).coloured);
}

TEST_F(PrintCommandsTest, PrintToAPdfPrinterGivesOnePage) {
  for (bool coloured : {false, true}) {
    SCOPED_TRACE(coloured);
    globals.PrintColored = coloured;
    const QString path =
        files.filePath(coloured ? QStringLiteral("colour.pdf") : QStringLiteral("black.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, path);
    EXPECT_TRUE(commands->printTo(printer));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    const QByteArray pdf = contentsOf(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_EQ(commands->PrinterName(), path);
  }
}

// Whether the 3 x 3 dots around (x, y) hold the colour: a line two dots wide covers the
// dots on one side of its coordinate or the other, depending on the rasteriser.
bool colourNear(const QImage& image, int x, int y, QRgb rgb) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (image.valid(x + dx, y + dy) && (image.pixel(x + dx, y + dy) & 0xFFFFFF) == rgb)
        return true;
  return false;
}

TEST_F(PrintCommandsTest, PrintedPageShowsFrameGridAndTracesWhereTheLayoutPutThem) {
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  struct Case {
    bool coloured;
    std::vector<QRgb> channelColours;  // channels 0 to 2
  };
  const std::vector<Case> cases{{true, {0x00FF00, 0xFF0000, 0xFF00FF}},
                                {false, {0x000000, 0x000000, 0x000000}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.coloured);
    globals.PrintColored = c.coloured;
    const QString path = files.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, path);
    printer.setColorMode(QPrinter::Color);
    ASSERT_TRUE(commands->printTo(printer));
    const DeviceInfo device = PrintCommands::printerDevice(printer);
    const DiagramPicture picture = Druck(commands->diagramInput(c.coloured), device);

    // The page at the printer's own 300 dpi, without smoothing: one dot per pixel.
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-aa"),
                            QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
                            QStringLiteral("-png"), QStringLiteral("-singlefile"), path,
                            files.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QImage page(files.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    // A4 in landscape at 300 dpi (the renderer rounds the page's points up).
    EXPECT_NEAR(page.width(), 3508, 1);
    EXPECT_NEAR(page.height(), 2480, 1);

    const int ox = device.area.offsetX;
    const int oy = device.area.offsetY;
    const std::vector<GdiLineEntry>& lines = picture.lines();
    ASSERT_GT(lines.size(), 4u + 300u);
    // Frame and grid: black at each line's middle.
    const std::size_t traces = lines.size() - 300;
    for (std::size_t i = 0; i < traces; ++i) {
      const GdiLineEntry& line = lines[i];
      const int x = ox + (line.x1 + line.x2) / 2;
      const int y = oy + (line.y1 + line.y2) / 2;
      EXPECT_TRUE(colourNear(page, x, y, 0x000000)) << "grid line " << i << " at " << x << "," << y;
    }
    // Each channel's segments (level lines) in its colour.
    for (std::size_t ch = 0; ch < 3; ++ch) {
      SCOPED_TRACE(ch);
      for (std::size_t i = 1; i < 100; i += 7) {
        const GdiLineEntry& line = lines[traces + ch * 100 + i];
        ASSERT_EQ(line.colour, c.channelColours[ch]);
        const int x = ox + (line.x1 + line.x2) / 2;
        const int y = oy + line.y1;
        EXPECT_TRUE(colourNear(page, x, y, c.channelColours[ch])) << x << "," << y;
      }
    }
    // Paper in the middle of a grid cell above the traces.
    const GdiLineEntry& frameTop = lines[0];
    EXPECT_TRUE(colourNear(page, ox + frameTop.x1 + 40, oy + frameTop.y1 + 40, 0xFFFFFF));
  }
}

TEST_F(PrintCommandsTest, PrintCommandPrintsOnTheCurrentPrinterUnderTheHourglass) {
  const QString path = files.filePath(QStringLiteral("current.pdf"));
  std::optional<Qt::CursorShape> pointerWhilePrinting;
  commands->setPrinterAccess({[] { return QStringLiteral("Test PDF"); },
                              [&](QPrinter& printer) {
                                pointerWhilePrinting = pointer();
                                pdfPrinter(printer, path);
                                return true;
                              }});
  commands->mnuPrint_Click(0);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(pdfPages(contentsOf(path)), 1);
  EXPECT_EQ(pointerWhilePrinting, Qt::WaitCursor);
  EXPECT_EQ(pointer(), std::nullopt);
}

TEST_F(PrintCommandsTest, PrintFailuresNameThePrinterAndTheFailure) {
  struct Case {
    const char* name;
    int langCode;
    QString printer;  // empty: no printer installed
    QString expected;
  };
  const std::vector<Case> cases{
      {"no printer installed", 0, QString(), QStringLiteral("Es ist kein Drucker installiert.")},
      {"no printer installed, English", 1, QString(), QStringLiteral("No printer is installed.")},
      {"printer gone", 0, QStringLiteral("Laser"),
       QStringLiteral("Laser: Der Drucker ist nicht verfügbar.")},
      {"printer gone, English", 2, QStringLiteral("Laser"),
       QStringLiteral("Laser: The printer is not available.")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    globals.LangCode = c.langCode;
    messages.clear();
    pointerAtMessage.reset();
    bool setUpAsked = false;
    commands->setPrinterAccess({[&] { return c.printer; },
                                [&](QPrinter&) {
                                  setUpAsked = true;
                                  return false;
                                }});
    commands->mnuPrint_Click(0);
    EXPECT_EQ(messages, QStringList{c.expected});
    EXPECT_EQ(setUpAsked, !c.printer.isEmpty());
    EXPECT_EQ(commands->PrinterName(), c.printer);
    EXPECT_EQ(pointerAtMessage, std::nullopt) << "no hourglass over the message";
    EXPECT_EQ(pointer(), std::nullopt);
  }
}

TEST_F(PrintCommandsTest, PrintJobThatCannotStartIsReported) {
  globals.LangCode = 0;
  QPrinter printer(QPrinter::HighResolution);
  const QString path = files.filePath(QStringLiteral("missing-folder/out.pdf"));
  pdfPrinter(printer, path);
  EXPECT_FALSE(commands->printTo(printer));
  EXPECT_EQ(messages,
            QStringList{path + QStringLiteral(": Der Druckauftrag konnte nicht begonnen werden.")});
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PrintCommandsTest, PageWithoutPrintableWidthStartsNoJob) {
  // Margins wider than the paper: the page reports a paint rectangle of negative width.
  const QString path = files.filePath(QStringLiteral("narrow.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  pdfPrinter(printer, path);
  printer.setPageSize(QPageSize(QSizeF(20, 20), QPageSize::Millimeter));
  printer.setPageMargins(QMarginsF(10.5, 0, 10.5, 0), QPageLayout::Millimeter);
  ASSERT_LE(printer.pageLayout().paintRectPixels(printer.resolution()).width(), 0);
  EXPECT_FALSE(commands->printTo(printer));
  EXPECT_EQ(messages, QStringList{QStringLiteral("Drucken geht nicht")});
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PrintCommandsTest, PrinterSetupOpensTheDialogUnderTheHourglass) {
  int opened = 0;
  std::optional<Qt::CursorShape> pointerAtOpening;
  commands->setPrinterSetup([&] {
    ++opened;
    pointerAtOpening = pointer();
  });
  commands->mnuPrint_Click(1);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(pointerAtOpening, Qt::WaitCursor);
  EXPECT_EQ(pointer(), std::nullopt);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PrintCommandsTest, CopyCommandsPutSvgAndImageOnTheClipboard) {
  struct Case {
    int index;
    QSet<QRgb> channelColours;  // of the image's pixels that are not grey
  };
  // Channels 0 to 2 hold samples: dark green, dark red, dark magenta.
  const std::vector<Case> cases{{0, {0x008000, 0x800000, 0x800080}}, {1, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier contents"));
    commands->mnuCopy_Click(c.index);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(data->hasImage());
    EXPECT_FALSE(data->hasText()) << "the picture replaces what was there";
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(svg.contains("width=\"381mm\" height=\"224.12mm\""));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 1440 847\""));

    const QImage image = qvariant_cast<QImage>(data->imageData());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)) colours.insert(p & 0xFFFFFF);
      }
    }
    EXPECT_EQ(colours, c.channelColours);
    EXPECT_EQ(pointer(), std::nullopt);
  }
}

}  // namespace
}  // namespace kelvor
