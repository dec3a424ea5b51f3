#include "platform/PrinterCatalog.h"

#include <gtest/gtest.h>
#include <QHash>
#include <QPrinter>
#include <ostream>
#include <vector>

#include "support/CupsTestServer.h"

// Readable failure messages for Qt texts.
static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kelvor {
namespace {

using testing::CupsTestServer;

TEST(PrinterCatalog, OptionsGiveDriverPortAndOrientation) {
  struct Case {
    const char* what;
    QHash<QString, QString> options;
    QString makeAndModel;
    QString deviceUri;
    int orientation;
  };
  const QString usb = QStringLiteral("usb://Maker/Model?serial=42");
  const QString shared = QStringLiteral("ipp://server:631/printers/office");
  const QString model = QStringLiteral("Maker Model Foomatic");
  const std::vector<Case> cases = {
      {"nothing known", {}, {}, {}, 1},
      {"local queue",
       {{"printer-make-and-model", model}, {"device-uri", usb}, {"printer-uri-supported", shared}},
       model,
       usb,
       1},
      {"shared by another server", {{"printer-uri-supported", shared}}, {}, shared, 1},
      {"portrait", {{"orientation-requested", "3"}}, {}, {}, 1},
      {"landscape", {{"orientation-requested", "4"}}, {}, {}, 2},
      {"reverse landscape", {{"orientation-requested", "5"}}, {}, {}, 2},
      {"reverse portrait", {{"orientation-requested", "6"}}, {}, {}, 1},
      {"no orientation asked", {{"orientation-requested", "7"}}, {}, {}, 1},
      {"landscape switch", {{"landscape", ""}}, {}, {}, 2},
      {"landscape switch on", {{"landscape", "true"}}, {}, {}, 2},
      {"landscape switch off", {{"landscape", "false"}}, {}, {}, 1},
      {"orientation before switch",
       {{"orientation-requested", "3"}, {"landscape", "true"}},
       {},
       {},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const PrinterDetails d = PrinterCatalog::detailsFromOptions(c.options);
    EXPECT_EQ(d.makeAndModel, c.makeAndModel);
    EXPECT_EQ(d.deviceUri, c.deviceUri);
    EXPECT_EQ(d.orientation, c.orientation);
  }
}

using PrinterCatalogOnServer = testing::WithCupsTestServer;

TEST_F(PrinterCatalogOnServer, ListsTheQueuesAndTheDefault) {
  EXPECT_EQ(PrinterCatalog::printerNames(), QStringList({CupsTestServer::landscapeQueue().name,
                                                         CupsTestServer::portraitQueue().name}));
  EXPECT_EQ(PrinterCatalog::defaultPrinterName(), CupsTestServer::portraitQueue().name);
}

TEST_F(PrinterCatalogOnServer, DetailsOfEachQueue) {
  for (const testing::TestQueue& queue :
       {CupsTestServer::landscapeQueue(), CupsTestServer::portraitQueue()}) {
    SCOPED_TRACE(queue.name.toStdString());
    const std::optional<PrinterDetails> d = PrinterCatalog::details(queue.name);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->makeAndModel, queue.makeAndModel);
    EXPECT_EQ(d->deviceUri, QStringLiteral("file://") + server().outputFile(queue.name));
    EXPECT_EQ(d->orientation,
              queue.landscape ? PrinterCatalog::Landscape : PrinterCatalog::Portrait);
  }
}

TEST_F(PrinterCatalogOnServer, UnknownPrintersHaveNoDetails) {
  for (const char* name : {"", "NoSuchPrinter", "PDF"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(PrinterCatalog::details(QString::fromLatin1(name)).has_value());
  }
}

}  // namespace
}  // namespace kelvor
