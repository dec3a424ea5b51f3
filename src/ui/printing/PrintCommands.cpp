// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/PrintCommands.h"

#include <QFileDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QWidget>

#include "core/printing/PrintMessages.h"
#include "platform/MessageTexts.h"
#include "ui/common/WindowTools.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/printing/ClipboardPicture.h"
#include "ui/printing/DiagramPainter.h"

namespace kelvor {

namespace {

// The system's default printer; a system with printers but no default one prints on the
// first of them.
QString systemPrinter() {
  QString name = QPrinterInfo::defaultPrinterName();
  if (name.isEmpty()) {
    const QStringList all = QPrinterInfo::availablePrinterNames();
    if (!all.isEmpty()) name = all.first();
  }
  return name;
}

// One plane for a device without colour: a grey-scale job, or a printer that has no colour.
int colourPlanesOf(const QPrinter& printer) {
  if (printer.colorMode() == QPrinter::GrayScale) return 1;
  if (printer.outputFormat() == QPrinter::NativeFormat) {
    const QPrinterInfo info(printer);
    if (!info.isNull() && !info.supportedColorModes().isEmpty() &&
        !info.supportedColorModes().contains(QPrinter::Color))
      return 1;
  }
  return 3;
}

}  // namespace

PrintCommands::PrintCommands(const TraceStore& store, const ScopeController& scope,
                             const PrintOptions& options, QWidget* parent, MessageSink messages)
    : store_(store),
      scope_(scope),
      options_(options),
      parent_(parent),
      messages_(std::move(messages)),
      askPdfFile_([](QWidget* owner) { return askPdfFileName(owner); }) {
  setPrinterAccess({});
}

QString PrintCommands::askPdfFileName(QWidget* parent) {
  QFileDialog dialog(parent, QString::fromStdString(messageText(Message(MessageId::PdfFile))),
                     QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                     QString::fromStdString(messageText(Message(MessageId::PdfFileFilter))));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  // The question is not asked under the hourglass.
  WindowTools::setMousePointer(MousePointer::Default);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void PrintCommands::setPrinterAccess(PrinterAccess access) {
  access_ = std::move(access);
  if (!access_.currentName) {
    access_.currentName = [this] {
      return currentPrinter_.isEmpty() ? systemPrinter() : currentPrinter_;
    };
  }
  if (!access_.setUp) {
    access_.setUp = [this](QPrinter& printer) {
      const QString name = access_.currentName();
      if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull()) return false;
      printer.setPrinterName(name);
      return printer.printerName() == name;
    };
  }
}

void PrintCommands::tell(const QString& text) const {
  // The message is not shown under the hourglass.
  WindowTools::setMousePointer(MousePointer::Default);
  if (messages_) {
    messages_(parent_, text);
  } else {
    MessageBox::warning(parent_, text);
  }
}

void PrintCommands::failed(const std::string& reason) const {
  tell(QString::fromStdString(PrintMessages::printFailed(printerName_.toStdString(), reason)));
}

DiagramInput PrintCommands::diagramInput(bool coloured) const {
  DiagramInput input;
  input.store = &store_;
  input.scale = scope_.scale();
  input.style = scope_.drawStyle();
  const AxisCaptions& captions = scope_.captions();
  input.timeLabels = captions.time;
  input.valueLabels = captions.y;
  input.timeUnitLabel = captions.unit;
  input.plotWidth = scope_.plotArea().innerWidth;
  input.plotHeight = scope_.plotArea().innerHeight;
  input.coloured = coloured;
  return input;
}

void PrintCommands::onPrintClicked(int index) {
  WindowTools::setMousePointer(MousePointer::Hourglass);
  if (index == 0) {
    printWithDialog();
  } else if (index == 1) {
    setUpPrinter();
  }
  WindowTools::setMousePointer(MousePointer::Default);
}

void PrintCommands::printWithDialog() {
  // The name is read first, so that any failure can name the printer.
  printerName_ = access_.currentName();
  if (printerName_.isEmpty()) {
    failed(messageText(Message(MessageId::NoPrinterInstalled)));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  if (!access_.setUp(printer)) {
    failed(messageText(Message(MessageId::PrinterUnavailable)));
    return;
  }
  if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
    const QString file = askPdfFile_(parent_);
    if (file.isEmpty()) return;
    printer.setOutputFileName(file);
  }
  printer.setColorMode(options_.PrintColored ? QPrinter::Color : QPrinter::GrayScale);
  printTo(printer);
}

void PrintCommands::setUpPrinter() {
  if (printerSetup_) printerSetup_();
}

DeviceInfo PrintCommands::printerDevice(const QPrinter& printer) {
  const int resolution = printer.resolution();
  const QPageLayout page = printer.pageLayout();
  const QRect paper = page.fullRectPixels(resolution);
  const QRect paint = page.paintRectPixels(resolution);
  DeviceInfo device;
  device.dpiX = printer.logicalDpiX();
  device.dpiY = printer.logicalDpiY();
  device.area = printableArea(paper.width(), paper.height(), paint.left() - paper.left(),
                              paint.top() - paper.top(), paint.width(), paint.height());
  device.colourPlanes = colourPlanesOf(printer);
  device.measureText = textMeasureFor(&printer);
  return device;
}

bool PrintCommands::printTo(QPrinter& printer) {
  printerName_ = printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName();

  const DeviceInfo device = printerDevice(printer);

  // Laid out before the job starts: a page that cannot take the diagram starts no job.
  const DiagramPicture picture = layoutDiagram(diagramInput(options_.PrintColored), device);
  if (picture.failed()) {
    tell(QString::fromStdString(picture.failure()));
    return false;
  }

  if (parent_) printer.setDocName(parent_->window()->windowTitle());
  QPainter painter;
  if (!painter.begin(&printer)) {
    failed(messageText(Message(MessageId::PrintJobNotStarted)));
    return false;
  }
  // The layout's origin is the printable area's corner.
  if (printer.fullPage()) painter.translate(device.area.offsetX, device.area.offsetY);
  paintDiagram(painter, picture);
  if (!painter.end()) {
    failed(messageText(Message(MessageId::PrintJobNotFinished)));
    return false;
  }
  return true;
}

void PrintCommands::onCopyClicked(int index) {
  if (index != 0 && index != 1) return;
  WindowTools::setMousePointer(MousePointer::Hourglass);
  ClipboardPicture::copy(diagramInput(index == 0));
  WindowTools::setMousePointer(MousePointer::Default);
}

}  // namespace kelvor
