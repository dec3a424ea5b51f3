// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrinterCatalog.h"

#include <gtest/gtest.h>
#include <QHash>
#include <tuple>
#include <vector>

namespace kelvor {
namespace {

// Options, then driver, port and orientation (1 portrait, 2 landscape) read from them.
TEST(PrinterCatalog, OptionsGiveDriverPortAndOrientation) {
  const QString usb = QStringLiteral("usb://Maker/Model?serial=42");
  const QString shared = QStringLiteral("ipp://server:631/printers/office");
  const QString model = QStringLiteral("Maker Model Foomatic");
  for (const auto& [options, makeAndModel, deviceUri, orientation] :
       std::vector<std::tuple<QHash<QString, QString>, QString, QString, int>>{
           {{}, {}, {}, 1},
           {{{"printer-make-and-model", model}, {"device-uri", usb}}, model, usb, 1},
           {{{"printer-uri-supported", shared}}, {}, shared, 1},  // shared by another server
           {{{"orientation-requested", "4"}}, {}, {}, 2},
           {{{"orientation-requested", "5"}}, {}, {}, 2},  // reverse landscape
           {{{"landscape", "true"}}, {}, {}, 2},
           {{{"orientation-requested", "3"}, {"landscape", "1"}}, {}, {}, 1}}) {
    const PrinterDetails d = PrinterCatalog::detailsFromOptions(options);
    EXPECT_EQ(std::tuple(d.makeAndModel, d.deviceUri, d.orientation),
              std::tuple(makeAndModel, deviceUri, orientation))
        << d.deviceUri.toStdString() << " " << options.size();
  }
}

}  // namespace
}  // namespace kelvor
