// SPDX-License-Identifier: GPL-3.0-or-later
// The print and copy commands (the page layout is tested in core), the printer dialog and
// the diagram printed through a real print queue of the private CUPS server.
#include <gtest/gtest.h>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <tuple>
#include <vector>

#include <cups/cups.h>

#include "platform/MessageTexts.h"
#include "support/CupsTestServer.h"
#include "support/StartedMainWindow.h"
#include "ui/dialogs/PrinterDialog.h"

namespace kelvor {
namespace {

using testing::TestQueue;

bool coloured(const QImage& image) {
  return image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(image.format()) != image;
}

// The page at 50 dpi as poppler draws it; a null image when it cannot.
QImage pageImage(const QString& pdf, const QString& png) {
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (QProcess::execute(pdftoppm, {"-r", "50", "-png", "-singlefile", pdf, png}) != 0) return {};
  return QImage(png + QStringLiteral(".png"));
}

using PrintCommandsTest = testing::StartedMainWindow;

// "Drucken" on a printer that is missing, gone, cannot start the job or has no room for the
// diagram reports it once, naming the printer, not under the hourglass; a working printer
// gets one page. The printer is set up under the hourglass, which goes afterwards.
TEST_F(PrintCommandsTest, PrintCommandPrintsOrReports) {
  // Printer, the PDF it writes (nullptr: it cannot be set up), page size in mm, whether it
  // prints, whether the message names the printer or its file.
  for (const auto& [printer, file, pageMm, prints, named] :
       std::vector<std::tuple<QString, const char*, double, bool, bool>>{
           {"", nullptr, 210, false, true},
           {"Laser", nullptr, 210, false, true},
           {"Laser", "missing/out.pdf", 210, false, true},
           {"Laser", "narrow.pdf", 20, false, false},
           {"Laser", "page.pdf", 210, true, false}}) {
    SCOPED_TRACE(file ? file : printer.toStdString());
    messages.clear();
    const QString path = file ? files.filePath(QLatin1String(file)) : QString();
    bool busyWhileSettingUp = false;
    const auto setUp = [&, mm = pageMm, made = file != nullptr](QPrinter& p) {
      busyWhileSettingUp = testing::busy();
      p.setOutputFileName(path);
      p.setPageSize(QPageSize(QSizeF(mm, mm), QPageSize::Millimeter));
      p.setPageMargins(QMarginsF(10.5, 0, 10.5, 0), QPageLayout::Millimeter);
      return made;
    };
    print.setPrinterAccess({[who = printer] { return who; }, setUp});
    print.onPrintClicked(0);
    EXPECT_EQ(std::pair(testing::busy(), busyWhileSettingUp), std::pair(false, !printer.isEmpty()));
    QFile pdf(path);
    EXPECT_EQ(pdf.open(QIODevice::ReadOnly) && pdf.readAll().count("/Type /Page\n") == 1, prints);
    ASSERT_EQ(messages.size(), prints ? 0 : 1) << messages.join('\n').toStdString();
    if (prints) continue;
    EXPECT_EQ(std::pair(messages[0].contains(file ? path : printer), messages[0].endsWith("+busy")),
              std::pair(named, false))
        << messages[0].toStdString();
  }
}

// The copy commands put an SVG of the clipboard page's size and a bitmap of it on the
// clipboard, replacing what was there: in the channel colours, or in black.
TEST_F(PrintCommandsTest, CopyPutsSvgAndBitmapOnTheClipboard) {
  for (const int index : {0, 1}) {
    SCOPED_TRACE(index);
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier contents"));
    print.onCopyClicked(index);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_FALSE(data->hasText() || testing::busy());
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(svg.contains(R"(width="381mm" height="224.12mm")") &&
                svg.contains(R"(viewBox="0 0 1440 847")"))
        << svg.left(400).toStdString();
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(std::pair(image.size(), coloured(image)), std::pair(QSize(1440, 847), index == 0));
  }
}

using PrinterTest = testing::CupsServerFixture<testing::StartedMainWindow>;

// The dialog shows the current printer (the default when none is chosen) with its driver,
// port and orientation and makes the one chosen in the list current while it is open; only
// OK keeps the choice and the colour option. The job then reaches that queue as one page in
// the queue's orientation, or in the one set up through the printer settings.
TEST_F(PrinterTest, ChooseAPrinterAndPrintTheDiagram) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
    GTEST_SKIP() << "pdftoppm is missing (poppler-utils)";
  const TestQueue &portrait = server().portraitQueue, &landscape = server().landscapeQueue;
  PrinterChoice choice;
  print.setPrinterAccess({[&] { return choice.deviceName(); },
                          [&](QPrinter& printer) { return choice.setUp(printer); }});
  struct Case {
    QString before;  // empty: the system's default printer
    const TestQueue &shown, &chosen;
    bool ok, setUpPortrait;
  };
  for (const Case& c : {Case{"", portrait, landscape, false, false},
                        Case{portrait.name, portrait, landscape, true, false},
                        Case{landscape.name, landscape, landscape, true, true}}) {
    SCOPED_TRACE(c.before.toStdString() + (c.ok ? " OK" : " Cancel"));
    choice.setName(c.before);
    PrintOptions& options = window.printOptions();
    options.PrintColored = false;
    PrinterDialog d(options, choice, &window);
    EXPECT_EQ(QStringList({d.printerList->currentText(), d.printerTypeLabel->text(),
                           d.printerPortLabel->text()}),
              QStringList({c.shown.name, c.shown.makeAndModel,
                           "file://" + server().outputFile(c.shown.name)}));
    EXPECT_EQ(d.orientationButtons[1]->isChecked(), c.shown.landscape);
    d.printerList->setCurrentText(c.chosen.name);
    EXPECT_EQ(std::pair(choice.name(), d.orientationButtons[1]->isChecked()),
              std::pair(c.chosen.name, c.chosen.landscape));
    d.showProperties = [this](QPrinter& printer, QWidget* owner) {
      EXPECT_EQ(owner, &window);
      printer.setPageOrientation(QPageLayout::Portrait);
      return true;
    };
    if (c.setUpPortrait) {
      d.printerSettingsButton->click();
      EXPECT_TRUE(d.orientationButtons[0]->isChecked());
    }
    d.channelButtons[0]->click();
    (c.ok ? d.okButton : d.cancelButton)->click();
    EXPECT_EQ(std::pair(choice.name(), options.PrintColored),
              std::pair(c.ok ? c.chosen.name : c.before, c.ok));

    const TestQueue& queue = c.ok ? c.chosen : c.shown;
    print.onPrintClicked(0);
    const QString problem = server().waitForJobs(queue.name);
    ASSERT_TRUE(problem.isEmpty() && messages.isEmpty())
        << problem.toStdString() << messages.join('\n').toStdString();
    QFile pdf(server().outputFile(queue.name));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly) && pdf.readAll().count("/Type /Page\n") == 1);
    const QImage page = pageImage(pdf.fileName(), files.filePath(queue.name));
    ASSERT_FALSE(page.isNull());
    QImage blank(page.size(), page.format());
    blank.fill(Qt::white);
    EXPECT_EQ(std::tuple(page.width() > page.height(), page != blank, coloured(page)),
              std::tuple(queue.landscape && !c.setUpPortrait, true, c.ok));
  }
}

// Without any printer the dialog offers the PDF file, and printing asks for the file's name
// and writes the page into it: the same page as a PDF printer of the same page set-up prints.
TEST_F(PrinterTest, WithoutAPrinterThePageGoesIntoAPdfFile) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
    GTEST_SKIP() << "pdftoppm is missing (poppler-utils)";
  const TestQueue& queue = server().portraitQueue;
  PrinterChoice choice;
  print.setPrinterAccess({[&] { return choice.shownName(); },
                          [&](QPrinter& printer) { return choice.setUp(printer); }});
  const QString file = files.filePath(QStringLiteral("page.pdf"));
  print.setPdfFileQuestion([&](QWidget*) { return file; });
  QPrinter queuePrinter(QPrinter::HighResolution);
  queuePrinter.setPrinterName(queue.name);
  const QPageLayout queueLayout = queuePrinter.pageLayout();
  {
    const QByteArray nowhere = QFile::encodeName(files.filePath(QStringLiteral("no-cups.sock")));
    cupsSetServer(nowhere.constData());
    PrinterDialog d(window.printOptions(), choice, &window);
    const QString pdfFile = QString::fromStdString(messageText(Message(MessageId::PdfFile)));
    EXPECT_EQ(QStringList({d.printerList->itemText(0), d.printerList->currentText()}),
              QStringList({pdfFile, pdfFile}));
    d.showProperties = [&](QPrinter& printer, QWidget*) {
      printer.setPageLayout(queueLayout);
      return true;
    };
    d.printerSettingsButton->click();
    d.okButton->click();
    print.onPrintClicked(0);
    cupsSetServer(QFile::encodeName(qEnvironmentVariable("CUPS_SERVER")).constData());
  }
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  choice.setName(queue.name);
  print.onPrintClicked(0);
  ASSERT_EQ(server().waitForJobs(queue.name), QString());
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  const QImage direct = pageImage(file, files.filePath(QStringLiteral("direct")));
  EXPECT_FALSE(direct.isNull());
  EXPECT_EQ(direct, pageImage(server().outputFile(queue.name), files.filePath("queued")));
}

}  // namespace
}  // namespace kelvor
