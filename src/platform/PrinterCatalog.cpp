// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrinterCatalog.h"

#include <cups/cups.h>

#include <QByteArray>
#include <QPrinterInfo>

namespace kelvor {

namespace {

// A switch option given without a value ("landscape") or with a true value counts as on.
bool switchedOn(const QString& value) {
  const QString v = value.trimmed().toLower();
  return v.isEmpty() || v == QLatin1String("true") || v == QLatin1String("yes") ||
         v == QLatin1String("on") || v == QLatin1String("1");
}

}  // namespace

QStringList PrinterCatalog::printerNames() {
  return QPrinterInfo::availablePrinterNames();
}

QString PrinterCatalog::defaultPrinterName() {
  return QPrinterInfo::defaultPrinterName();
}

std::optional<PrinterDetails> PrinterCatalog::details(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  // Qt names an instance of a queue "queue/instance".
  const int slash = name.indexOf(QLatin1Char('/'));
  const QByteArray queue = (slash < 0 ? name : name.left(slash)).toUtf8();
  const QByteArray instance = slash < 0 ? QByteArray() : name.mid(slash + 1).toUtf8();
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                       instance.isEmpty() ? nullptr : instance.constData());
  if (!dest) return std::nullopt;
  QHash<QString, QString> options;
  for (int i = 0; i < dest->num_options; ++i)
    options.insert(QString::fromUtf8(dest->options[i].name),
                   QString::fromUtf8(dest->options[i].value));
  cupsFreeDests(1, dest);
  return detailsFromOptions(options);
}

PrinterDetails PrinterCatalog::detailsFromOptions(const QHash<QString, QString>& options) {
  PrinterDetails d;
  d.makeAndModel = options.value(QStringLiteral("printer-make-and-model"));
  // A queue of this server has its device; a printer that another server shares has only
  // the address it is reached at.
  d.deviceUri = options.value(QStringLiteral("device-uri"));
  if (d.deviceUri.isEmpty()) d.deviceUri = options.value(QStringLiteral("printer-uri-supported"));

  // IPP orientation-requested: 3 portrait, 4 landscape, 5 reverse landscape, 6 reverse
  // portrait. The older "landscape" switch counts when that is not given. Anything else
  // leaves the page upright, as the print system prints it then.
  d.orientation = Portrait;
  const auto requested = options.constFind(QStringLiteral("orientation-requested"));
  if (requested != options.constEnd()) {
    const QString value = requested.value().trimmed();
    if (value == QLatin1String("4") || value == QLatin1String("5")) d.orientation = Landscape;
  } else {
    const auto landscape = options.constFind(QStringLiteral("landscape"));
    if (landscape != options.constEnd() && switchedOn(landscape.value())) d.orientation = Landscape;
  }
  return d;
}

}  // namespace kelvor
