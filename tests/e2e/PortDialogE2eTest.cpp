// SPDX-License-Identifier: GPL-3.0-or-later
// The port settings dialog of the real recorder, against the real meter simulator.
#include <QDateTime>
#include <QDir>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

bool openPortDialog(KelvorApp& app) {
  return app.ok(QStringLiteral("click mnuFile2(4)")) && app.awaitModal() == "COM-Port";
}

// A port missing at the start is reported once; OK opens it once it has appeared. While the dialog
// is up the meter goes on being polled and recorded; Cancel and the close box leave the port
// as it is, OK with a new rate or a new port switches to it. The quit item stores it all.
TEST(PortDialogE2e, TheMeterIsRecordedWhileTheDialogIsOpenAndOkSwitchesThePort) {
  TestHome home;
  home.writeSettings({{"Port", "3"}});
  KelvorApp app(home);
  // Told once, with where to choose another port; the program goes on without it.
  const QString message = app.awaitModal();
  EXPECT_TRUE(message.startsWith("Kelvor|Error 2 opening COM3") &&
              message.endsWith("\nDen Port unter Datei → COM-Port wählen."))
      << message.toStdString();
  ASSERT_TRUE(app.dismiss());
  pause(2s);
  EXPECT_TRUE(app.modal().isEmpty() && app.text("frmMain") == "Kelvor – COM3: nicht geöffnet");

  MeterSim sim(home, {"--port", "3", "--values", "const:2.25"});
  ASSERT_TRUE(openPortDialog(app));
  EXPECT_TRUE(app.text("cboPorts").startsWith("COM3 (")) << app.text("cboPorts").toStdString();
  ASSERT_TRUE(app.ok(QStringLiteral("click cmdOK")));
  ASSERT_EQ(recordReadings(app, 1), std::vector<double>{2.25});
  // A pseudo-terminal always keeps 8 data bits; the rest of the line settings arrive.
  for (const char* setting : {"1200 baud", "parity none", "2 stop bits"})
    EXPECT_TRUE(sim.lineSettings().contains(setting)) << sim.lineSettings().toStdString();

  for (const char* close : {"click cmdCancel", "dismiss"}) {
    SCOPED_TRACE(close);
    ASSERT_TRUE(openPortDialog(app) && app.ok("click optBPS(4)"));
    pause(close == std::string("dismiss") ? 2s : 8s);
    ASSERT_TRUE(app.ok(close) && waitUntil([&] { return app.modal().isEmpty(); }, 5s));
    EXPECT_TRUE(sim.lineSettings().contains("1200 baud")) << sim.lineSettings().toStdString();
  }
  pause(1500ms);
  // The UTC times of the rows of the one open journal.
  const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
  const QStringList parts = folder.entryList({"*.part"}, QDir::Files);
  ASSERT_EQ(parts.size(), 1);
  const auto rows = journalRows(contentsOf(folder.filePath(parts[0])), ';');
  ASSERT_GE(rows.size(), 12u);
  for (std::size_t i = 1; i < rows.size(); ++i)
    EXPECT_LE(QDateTime::fromString(rows[i - 1].value(1), Qt::ISODateWithMs)
                  .msecsTo(QDateTime::fromString(rows[i].value(1), Qt::ISODateWithMs)),
              1250)
        << "no row for a while before row " << i;

  ASSERT_TRUE(openPortDialog(app) && app.ok("click optBPS(4)") && app.ok("click cmdOK"));
  EXPECT_TRUE(waitUntil([&] { return sim.lineSettings().contains("9600 baud"); }, 5s));

  MeterSim other(home, {"--port", "4", "--values", "const:4.5"});
  ASSERT_TRUE(openPortDialog(app) && app.value("select cboPorts COM4").startsWith("COM4 (") &&
              app.ok("click cmdOK"));
  EXPECT_TRUE(waitUntil([&] { return app.text("frmMain lblVal") == "Kelvor – COM4\t4,500 V"; }, 5s))
      << app.text("frmMain lblVal").toStdString();
  ASSERT_TRUE(app.ok("click mnuFile2(6)") && waitUntil([&] { return !app.running(); }, 10s));
  EXPECT_EQ(QStringList({home.stored("BPS"), home.stored("Port"), home.stored("wState")}),
            QStringList({"9600", "4", "0"}));
}

}  // namespace
}  // namespace kelvor::e2e
