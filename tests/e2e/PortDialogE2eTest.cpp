// The port settings dialog of the real recorder, against the real meter simulator.
#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

bool openPortDialog(KelvorApp& app) {
  return app.ok(QStringLiteral("click mnuFile2(4)")) && app.awaitModal() == "COM-Port";
}

// A port missing at the start is reported; OK opens it once it has appeared. While the dialog
// is up the port is closed; Cancel and the close box reopen it as it was, OK with a new rate.
// The quit item ends the program and stores it all.
TEST(PortDialogE2e, OkOpensTheChosenPortCancelAndTheCloseBoxReopenTheOldOne) {
  TestHome home;
  home.writeSettings({{"Port", "3"}});
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  EXPECT_TRUE(app.awaitModal().startsWith(QLatin1String("Kelvor|Error 2 opening COM3")));
  ASSERT_TRUE(app.dismiss());

  MeterSim sim(home, {"--port", "3", "--values", "const:2.25"});
  ASSERT_TRUE(sim.ready());
  ASSERT_TRUE(openPortDialog(app));
  EXPECT_TRUE(app.text("cboPorts").startsWith("COM3 (")) << app.text("cboPorts").toStdString();
  ASSERT_TRUE(app.ok(QStringLiteral("click cmdOK")));
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal") == QLatin1String("2,250 V"); }, 5s))
      << app.text("lblVal").toStdString();
  // A pseudo-terminal always keeps 8 data bits; the rest of the line settings arrive.
  for (const char* setting : {"1200 baud", "parity none", "2 stop bits"})
    EXPECT_TRUE(sim.lineSettings().contains(setting)) << sim.lineSettings().toStdString();

  for (const char* close : {"click cmdCancel", "dismiss", "click cmdOK"}) {
    SCOPED_TRACE(close);
    ASSERT_TRUE(openPortDialog(app));
    ASSERT_TRUE(app.ok(QStringLiteral("click optBPS(4)")));
    pause(300ms);
    const std::size_t whileOpen = sim.polls().size();
    pause(2500ms);
    EXPECT_EQ(sim.polls().size(), whileOpen);
    ASSERT_TRUE(app.ok(close));
    ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 5s)) << app.modal().toStdString();
    EXPECT_TRUE(waitUntil([&] { return sim.polls().size() > whileOpen + 1; }, 5s));
    const bool taken = close == std::string("click cmdOK");
    EXPECT_TRUE(sim.lineSettings().contains(taken ? "9600 baud" : "1200 baud"))
        << sim.lineSettings().toStdString();
  }
  ASSERT_TRUE(app.ok(QStringLiteral("click mnuFile2(6)")));
  EXPECT_TRUE(waitUntil([&] { return !app.running(); }, 10s));
  EXPECT_EQ(QStringList({home.stored("BPS"), home.stored("Port"), home.stored("wState")}),
            QStringList({"9600", "3", "0"}));
}

}  // namespace
}  // namespace kelvor::e2e
