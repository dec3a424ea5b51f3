// The port settings dialog of the real recorder, against the real meter simulator.
#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

bool openPortDialog(KelvorApp& app) {
  return app.ok(QStringLiteral("click mnuFile2(4)")) && app.awaitModal() == "COM-Port";
}

// OK reopens the port with the new rate; the quit item ends the program and stores it all.
TEST(PortDialogE2e, OkReopensThePortWithTheNewRateAndQuitStoresIt) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "const:1.5"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(waitUntil([&] { return !sim.polls().empty(); }, 5s));
  // A pseudo-terminal always keeps 8 data bits; the rest of the line settings arrive.
  for (const char* setting : {"1200 baud", "parity none", "2 stop bits"})
    EXPECT_TRUE(sim.lineSettings().contains(setting)) << sim.lineSettings().toStdString();

  ASSERT_TRUE(openPortDialog(app));
  ASSERT_TRUE(app.ok(QStringLiteral("click optBPS(4)")));
  ASSERT_TRUE(app.ok(QStringLiteral("click cmdOK")));
  ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 5s));
  const std::size_t before = sim.polls().size();
  EXPECT_TRUE(waitUntil(
      [&] { return sim.lineSettings().contains("9600 baud") && sim.polls().size() > before; }, 5s))
      << sim.lineSettings().toStdString();
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal") == QLatin1String("1,500 V"); }, 5s));

  ASSERT_TRUE(app.ok(QStringLiteral("click mnuFile2(6)")));
  EXPECT_TRUE(waitUntil([&] { return !app.running(); }, 10s));
  EXPECT_EQ(QStringList({home.stored("BPS"), home.stored("Port"), home.stored("wState")}),
            QStringList({"9600", "1", "0"}));
}

TEST(PortDialogE2e, OkOpensThePortThatAppearedMeanwhile) {
  TestHome home;
  home.writeSettings({{"Port", "3"}});
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  // Nothing is linked as COM3 yet: the start reports it.
  EXPECT_TRUE(app.awaitModal().startsWith(QLatin1String("Kelvor|Error 2 opening COM3")));
  ASSERT_TRUE(app.dismiss());

  MeterSim sim(home, {"--port", "3", "--values", "const:2.25"});
  ASSERT_TRUE(sim.ready());
  ASSERT_TRUE(openPortDialog(app));
  EXPECT_TRUE(app.text("cboPorts").startsWith("COM3 (")) << app.text("cboPorts").toStdString();
  ASSERT_TRUE(app.ok(QStringLiteral("click optDevice(0)")));
  ASSERT_TRUE(app.ok(QStringLiteral("click cmdOK")));
  EXPECT_TRUE(waitUntil([&] { return sim.polls().size() >= 2; }, 5s));
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal") == QLatin1String("2,250 V"); }, 5s))
      << app.text("lblVal").toStdString();
  EXPECT_TRUE(app.modal().isEmpty());
}

// While the dialog is up the port is closed; Cancel and the close box reopen the old one.
TEST(PortDialogE2e, CancelAndTheCloseBoxReopenThePortThatWasOpen) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "const:3.3"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(waitUntil([&] { return !sim.polls().empty(); }, 5s));
  for (const char* close : {"click cmdCancel", "dismiss"}) {
    SCOPED_TRACE(close);
    ASSERT_TRUE(openPortDialog(app));
    ASSERT_TRUE(app.ok(QStringLiteral("click optBPS(4)")));  // then thrown away
    pause(300ms);
    const std::size_t whileOpen = sim.polls().size();
    pause(2500ms);
    EXPECT_EQ(sim.polls().size(), whileOpen);
    ASSERT_TRUE(app.ok(close));
    ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 5s));
    EXPECT_TRUE(waitUntil([&] { return sim.polls().size() > whileOpen + 1; }, 5s));
    EXPECT_TRUE(sim.lineSettings().contains("1200 baud")) << sim.lineSettings().toStdString();
  }
  ASSERT_TRUE(app.quit());
  EXPECT_EQ(home.stored("BPS"), QLatin1String("1200"));
}

}  // namespace
}  // namespace kelvor::e2e
