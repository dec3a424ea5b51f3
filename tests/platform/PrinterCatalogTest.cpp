#include "platform/PrinterCatalog.h"

#include <gtest/gtest.h>
#include <QHash>
#include <tuple>
#include <vector>

namespace kelvor {
namespace {

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
      {"local queue", {{"printer-make-and-model", model}, {"device-uri", usb}}, model, usb, 1},
      {"shared by another server", {{"printer-uri-supported", shared}}, {}, shared, 1},
      {"landscape", {{"orientation-requested", "4"}}, {}, {}, 2},
      {"reverse landscape", {{"orientation-requested", "5"}}, {}, {}, 2},
      {"landscape switch", {{"landscape", "true"}}, {}, {}, 2},
      {"before switch", {{"orientation-requested", "3"}, {"landscape", "1"}}, {}, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const PrinterDetails d = PrinterCatalog::detailsFromOptions(c.options);
    EXPECT_EQ(std::tuple(d.makeAndModel.toStdString(), d.deviceUri.toStdString(), d.orientation),
              std::tuple(c.makeAndModel.toStdString(), c.deviceUri.toStdString(), c.orientation));
  }
}

}  // namespace
}  // namespace kelvor
