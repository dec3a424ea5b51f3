// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/PrinterChoice.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "platform/MessageTexts.h"
#include "platform/PrinterCatalog.h"

namespace kelvor {

bool PrinterChoice::pdfFile() const {
  return pdfFile_ || (name_.isEmpty() && deviceName().isEmpty());
}

QString PrinterChoice::shownName() const {
  if (!pdfFile()) return deviceName();
  return QString::fromStdString(messageText(Message(MessageId::PdfFile)));
}

QString PrinterChoice::deviceName() const {
  if (!name_.isEmpty() || pdfFile_) return name_;
  // Printers without a default one: the first of them serves as the default.
  const QString standard = PrinterCatalog::defaultPrinterName();
  if (!standard.isEmpty()) return standard;
  const QStringList all = PrinterCatalog::printerNames();
  return all.isEmpty() ? QString() : all.first();
}

PageOrientation PrinterChoice::orientation() const {
  const QString printer = deviceName();
  if (const std::optional<QPageLayout> layout = pageLayout(printer))
    return layout->orientation() == QPageLayout::Landscape ? PageOrientation::Landscape
                                                           : PageOrientation::Portrait;
  if (printer.isEmpty()) return pdfFile() ? PageOrientation::Portrait : PageOrientation::Unknown;
  const std::optional<PrinterDetails> details = PrinterCatalog::details(printer);
  if (!details) return PageOrientation::Unknown;
  return details->orientation == PrinterCatalog::Landscape ? PageOrientation::Landscape
                                                           : PageOrientation::Portrait;
}

void PrinterChoice::setPageLayout(const QString& printer, const QPageLayout& layout) {
  layouts_.insert(printer, layout);
}

std::optional<QPageLayout> PrinterChoice::pageLayout(const QString& printer) const {
  const auto found = layouts_.constFind(printer);
  if (found == layouts_.constEnd()) return std::nullopt;
  return found.value();
}

bool PrinterChoice::setUp(QPrinter& printer) const {
  if (pdfFile()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    if (const std::optional<QPageLayout> layout = pageLayout(QString()))
      printer.setPageLayout(*layout);
    return true;
  }
  const QString name = deviceName();
  if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull()) return false;
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName(name);
  if (printer.printerName() != name) return false;
  if (const std::optional<QPageLayout> layout = pageLayout(name)) {
    printer.setPageLayout(*layout);
  } else {
    printer.setPageOrientation(orientation() == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
  }
  return true;
}

}  // namespace kelvor
