// Prints the diagram on a real print queue: the private CUPS server's PDF printers. The PDF
// that arrives at the queue's output is rendered with poppler's tools and the frame, the grid
// and the traces are looked for where the page layout puts them.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "support/CupsTestServer.h"
#include "support/FakeClock.h"
#include "support/PseudoTerminal.h"
#include "ui/PrintCommands.h"
#include "ui/PrinterChoice.h"
#include "ui/frmMain.h"

namespace kelvor {
namespace {

using testing::CupsTestServer;

constexpr LocalSeconds Morning = 20793LL * 86400 + 9 * 3600;
constexpr double RenderDpi = 50.0;
constexpr int Tolerance = 3;  // rendered pixels of 1/50 inch
constexpr int Channels = 3;
constexpr int Samples = 60;

// Rounding half to even, as the layout rounds.
int roundEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

// Where the diagram must lie on the page, worked out from the printer's page and the
// screen's scale by the layout rules, in printer dots from the paper's corner.
struct Expected {
  double dpi = 0;
  int offsetX = 0;
  int offsetY = 0;
  int printableWidth = 0;
  int left = 0;
  int top = 0;
  int plotWidth = 0;
  int plotHeight = 0;
  int xStep = 0;
  int yStep = 0;
  int yOff = 0;
  ScaleParams scale;

  int right() const { return left + plotWidth - 1; }
  int bottom() const { return top + plotHeight; }
  // A point of the printable area as a pixel of the rendering.
  QPointF pixel(double x, double y) const {
    return {(x + offsetX) * RenderDpi / dpi, (y + offsetY) * RenderDpi / dpi};
  }
  QPointF sample(float time, float value) const {
    const int x = roundEven(time / scale.SecondsAcross * plotWidth + left);
    const int y =
        roundEven((plotHeight - yOff + top) - (value - scale.YBase) * plotHeight / scale.YSpan);
    return pixel(x, y);
  }
  std::vector<int> verticalGrid() const {
    std::vector<int> xs;
    for (int i = 1; i <= 2 * plotWidth / xStep; ++i) xs.push_back(xStep * i / 2 + left);
    return xs;
  }
  std::vector<int> horizontalGrid() const {
    std::vector<int> ys;
    for (int g = yOff; g <= plotHeight; g += yStep) ys.push_back(plotHeight - g + top);
    return ys;
  }
};

Expected expectedLayout(const QPrinter& printer, const ScopeController& scope) {
  Expected e;
  e.dpi = printer.resolution();
  const QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
  const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
  e.offsetX = paint.left() - paper.left();
  e.offsetY = paint.top() - paper.top();
  e.printableWidth = paper.width() - 2 * e.offsetX;
  const double w = e.printableWidth;
  const double h = paper.height() - 2 * e.offsetY;
  if (h > w) {
    e.plotHeight = roundEven(h / 2 * 0.7 - 1);
    e.top = roundEven(h / 2 * 0.15);
    e.plotWidth = roundEven(w * 0.8);
    e.left = roundEven(w * 0.15);
  } else {
    e.left = roundEven(w * 0.1);
    e.plotWidth = roundEven(w * 0.85 - 1);
    e.plotHeight = roundEven(h * 0.8);
    e.top = roundEven(h * 0.1);
  }
  e.scale = scope.scale();
  const double screenWidth = scope.raster().width();
  const double screenHeight = scope.raster().height();
  e.xStep = roundEven(e.scale.XDivPixels * e.plotWidth / screenWidth);
  e.yStep = roundEven(e.scale.YDivPixels * e.plotHeight / screenHeight);
  e.yOff = roundEven(e.scale.YOffsetPixels * e.plotHeight / screenHeight);
  return e;
}

using PixelTest = std::function<bool(QRgb)>;

bool dark(QRgb p) {
  return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
}
bool white(QRgb p) {
  return qRed(p) > 235 && qGreen(p) > 235 && qBlue(p) > 235;
}
bool coloured(QRgb p) {
  return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}) > 60;
}
PixelTest near(QRgb colour) {
  return [colour](QRgb p) {
    return std::abs(qRed(p) - qRed(colour)) < 60 && std::abs(qGreen(p) - qGreen(colour)) < 60 &&
           std::abs(qBlue(p) - qBlue(colour)) < 60;
  };
}

// Whether a pixel within `radius` of the point passes the test.
bool foundNear(const QImage& image, QPointF at, int radius, const PixelTest& test) {
  const int cx = static_cast<int>(std::lround(at.x()));
  const int cy = static_cast<int>(std::lround(at.y()));
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if (image.valid(x, y) && test(image.pixel(x, y))) return true;
  return false;
}

// Whether every pixel within `radius` of the point passes the test.
bool allNear(const QImage& image, QPointF at, int radius, const PixelTest& test) {
  const int cx = static_cast<int>(std::lround(at.x()));
  const int cy = static_cast<int>(std::lround(at.y()));
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if (!image.valid(x, y) || !test(image.pixel(x, y))) return false;
  return true;
}

std::string where(QPointF p) {
  return "near pixel (" + std::to_string(std::lround(p.x())) + ", " +
         std::to_string(std::lround(p.y())) + ")";
}

QString run(const QString& program, const QStringList& arguments, bool* ok) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  *ok = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0;
  return QString::fromLocal8Bit(process.readAll());
}

class RealPrintTest : public testing::WithCupsTestServer {
 protected:
  void SetUp() override {
    WithCupsTestServer::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    for (const char* tool : {"pdfinfo", "pdftoppm"})
      if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
        GTEST_SKIP() << tool << " is missing (Debian package poppler-utils)";

    ASSERT_TRUE(home.isValid());
    ASSERT_TRUE(files.isValid());
    hadHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Kelvor/ports")));
    ASSERT_TRUE(QFile::link(meter.slavePath(), home.filePath(QStringLiteral("Kelvor/ports/COM1"))));
    window = std::make_unique<frmMain>(globals, clock);
    window->Form_Load();
    commands = std::make_unique<PrintCommands>(
        window->traces(), window->scope(), window->controls(), globals, window.get(),
        [this](QWidget*, const QString& text) { messages << text; });
    commands->setPrinterAccess({[this] { return choice.deviceName(); },
                                [this](QPrinter& printer) { return choice.setUp(printer); }});

    // Three channels rising gently, each in its own band of the lower half of the plot.
    const ScaleParams& scale = window->scope().scale();
    ASSERT_GT(scale.SecondsAcross, 0.0f);
    ASSERT_GT(scale.YSpan, 0.0f);
    for (int ch = 0; ch < Channels; ++ch) {
      for (int i = 1; i <= Samples; ++i) window->traces().setSample(ch, i, value(ch, i), time(i));
      window->traces().setCount(ch, Samples);
    }
  }
  void TearDown() override {
    commands.reset();
    window.reset();
    if (hadHome) {
      qputenv("XDG_CONFIG_HOME", oldHome);
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
  }

  float time(int i) const {
    return window->scope().scale().SecondsAcross * static_cast<float>(i) / (Samples + 4);
  }
  float value(int ch, int i) const {
    const ScaleParams& s = window->scope().scale();
    return s.YBase + s.YSpan * (0.08f + 0.12f * static_cast<float>(ch) +
                                0.06f * static_cast<float>(i) / Samples);
  }

  // The queue's output as a picture at 50 dpi, after checking that it has one page.
  QImage rendered(const QString& queue, QSizeF* pageSize) {
    const QString pdf = server().outputFile(queue);
    bool ok = false;
    const QString info = run(QStringLiteral("pdfinfo"), {pdf}, &ok);
    EXPECT_TRUE(ok) << info.toStdString();
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("^Pages:\\s+1$"), QRegularExpression::MultilineOption)))
        << info.toStdString();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    if (size.hasMatch()) *pageSize = {size.captured(1).toDouble(), size.captured(2).toDouble()};
    const QString prefix = files.filePath(queue);
    const QString out =
        run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(RenderDpi), QStringLiteral("-png"),
             QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
             QStringLiteral("no"), QStringLiteral("-singlefile"), pdf, prefix},
            &ok);
    EXPECT_TRUE(ok) << out.toStdString();
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
  }

  QTemporaryDir home;
  QTemporaryDir files;
  bool hadHome = false;
  QByteArray oldHome;
  testing::PseudoTerminal meter;
  testing::FakeClock clock{Morning};
  AppGlobals globals;
  PrinterChoice choice;
  std::unique_ptr<frmMain> window;
  std::unique_ptr<PrintCommands> commands;
  QStringList messages;
};

TEST_F(RealPrintTest, DiagramOnTheQueuesPage) {
  enum class Route { PrintCommand, PrintTo };
  struct Case {
    const char* what;
    const testing::TestQueue& queue;
    Route route;
    bool colour;
  };
  const std::vector<Case> cases = {
      {"print command, colour, portrait queue", CupsTestServer::portraitQueue(),
       Route::PrintCommand, true},
      {"printTo, black, landscape queue", CupsTestServer::landscapeQueue(), Route::PrintTo, false},
  };
  // Bright green, red and magenta on a colour printer.
  const std::vector<QRgb> channelColours = {qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(255, 0, 255)};

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.clear();
    choice.setName(c.queue.name);
    globals.PrintColored = c.colour;
    ASSERT_TRUE(server().clearOutput(c.queue.name));
    const int before = server().completedJobs(c.queue.name);

    QPrinter reference(QPrinter::HighResolution);  // the printer as the command sets it up
    ASSERT_TRUE(choice.setUp(reference));
    if (c.route == Route::PrintCommand) {
      commands->mnuPrint_Click(0);
    } else {
      QPrinter printer(QPrinter::HighResolution);
      ASSERT_TRUE(choice.setUp(printer));
      printer.setColorMode(c.colour ? QPrinter::Color : QPrinter::GrayScale);
      EXPECT_TRUE(commands->printTo(printer));
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    const QString problem = server().waitForCompletedJobs(c.queue.name, before + 1);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();

    QSizeF pageSize;
    const QImage page = rendered(c.queue.name, &pageSize);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(pageSize.width() > pageSize.height(), c.queue.landscape);
    const Expected e = expectedLayout(reference, window->scope());
    ASSERT_GT(e.xStep, 0);
    ASSERT_GT(e.yStep, 0);

    // The frame: the middle of each edge.
    const double midX = e.left + e.plotWidth / 2.0;
    const double midY = e.top + e.plotHeight / 2.0;
    for (const QPointF& edge : {e.pixel(midX, e.top), e.pixel(e.right(), midY),
                                e.pixel(midX, e.bottom()), e.pixel(e.left, midY)})
      EXPECT_TRUE(foundNear(page, edge, Tolerance, dark)) << "frame " << where(edge);

    // The grid, in the upper part of the plot where no trace runs: a vertical line near the
    // middle, a horizontal line, and the empty space between the lines.
    const std::vector<int> columns = e.verticalGrid();
    const std::vector<int> rows = e.horizontalGrid();
    ASSERT_GE(columns.size(), 4u);
    ASSERT_GE(rows.size(), 3u);
    const int column = columns[columns.size() / 2 - 1];
    const double between = column + e.xStep / 4.0;  // halfway to the next line
    int row = -1;
    for (int y : rows)
      if (y > e.top + e.yStep / 2 && y < midY) row = y;  // the lowest line of the upper half
    ASSERT_GT(row, 0) << "no grid line in the upper half";
    const double gap = row - e.yStep / 2.0;  // halfway to the line above
    EXPECT_TRUE(foundNear(page, e.pixel(column, gap), Tolerance, dark))
        << "vertical grid line " << where(e.pixel(column, gap));
    EXPECT_TRUE(foundNear(page, e.pixel(between, row), Tolerance, dark))
        << "horizontal grid line " << where(e.pixel(between, row));
    EXPECT_TRUE(allNear(page, e.pixel(between, gap), 1, white))
        << "between the grid lines " << where(e.pixel(between, gap));
    // Nothing right of the frame.
    const QPointF margin = e.pixel((e.right() + e.printableWidth) / 2.0, midY);
    EXPECT_TRUE(allNear(page, margin, 1, white)) << "right of the frame " << where(margin);

    // The traces: some samples of each channel, in its colour or in black.
    for (int ch = 0; ch < Channels; ++ch) {
      for (int i : {10, 30, 50}) {
        const QPointF at = e.sample(time(i), value(ch, i));
        const PixelTest ink =
            c.colour ? near(channelColours[static_cast<std::size_t>(ch)]) : PixelTest(dark);
        EXPECT_TRUE(foundNear(page, at, Tolerance, ink))
            << "channel " << ch << " sample " << i << " " << where(at);
      }
    }
    if (!c.colour) {
      bool anyColour = false;
      for (int y = 0; y < page.height() && !anyColour; ++y)
        for (int x = 0; x < page.width() && !anyColour; ++x) anyColour = coloured(page.pixel(x, y));
      EXPECT_FALSE(anyColour) << "black-and-white print with colour in it";
    }
  }
}

}  // namespace
}  // namespace kelvor
