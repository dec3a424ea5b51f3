// The port settings dialog of the real recorder, against the real meter simulator.
#include <gtest/gtest.h>

#include <QSettings>
#include <vector>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

using namespace std::chrono_literals;

std::size_t pollsSeen(const MeterSim& sim) {
  return receivedBytes(sim.logPath()).size();
}

QString lastLineSettings(const MeterSim& sim) {
  const QStringList lines = lineSettingLines(sim.logPath());
  return lines.isEmpty() ? QString() : lines.last();
}

QString stored(const TestHome& home, const char* key) {
  return QSettings(home.file(QStringLiteral("Kelvor/Kelvor.conf")), QSettings::IniFormat)
      .value(QStringLiteral("Settings/") + QLatin1String(key))
      .toString();
}

bool ok(const QString& reply) {
  return reply.startsWith(QLatin1String("ok"));
}

// Opens the dialog from the menu and waits until it is up.
bool openPortDialog(KelvorApp& app) {
  return ok(app.request(QStringLiteral("click mnuFile2(4)"))) &&
         waitUntil([&] { return app.modal() == QLatin1String("COM-Port"); }, 5s);
}

TEST(PortDialogE2e, OkReopensThePortWithTheNewRate) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "const:1.5"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(waitUntil([&] { return pollsSeen(sim) >= 1; }, 5s));
  ASSERT_TRUE(lastLineSettings(sim).contains(QLatin1String("1200 baud")));

  ASSERT_TRUE(openPortDialog(app));
  EXPECT_TRUE(app.text("cboPorts").startsWith(QLatin1String("COM1 (")))
      << app.text("cboPorts").toStdString();
  EXPECT_EQ(app.request(QStringLiteral("checked optBPS(1)")), QLatin1String("ok 1"));
  ASSERT_TRUE(ok(app.request(QStringLiteral("click optBPS(4)"))));
  ASSERT_TRUE(ok(app.request(QStringLiteral("click cmdOK"))));
  ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 5s));

  const std::size_t before = pollsSeen(sim);
  EXPECT_TRUE(waitUntil(
      [&] {
        return lastLineSettings(sim).contains(QLatin1String("9600 baud")) &&
               pollsSeen(sim) > before;
      },
      5s))
      << lastLineSettings(sim).toStdString();
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal") == QLatin1String("1,500 V"); }, 5s));

  ASSERT_TRUE(app.quit());
  EXPECT_EQ(stored(home, "BPS"), QLatin1String("9600"));
  EXPECT_EQ(stored(home, "Port"), QLatin1String("1"));
}

TEST(PortDialogE2e, OkOpensThePortThatAppearedMeanwhile) {
  TestHome home;
  home.writeSettings({{"Port", "3"}});
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  // Nothing is linked as COM3 yet: the start reports it.
  ASSERT_TRUE(waitUntil([&] { return !app.modal().isEmpty(); }, 5s));
  EXPECT_TRUE(app.modal().startsWith(QLatin1String("Kelvor|Error 2 opening COM3")));
  ASSERT_TRUE(ok(app.request(QStringLiteral("dismiss"))));
  ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 5s));

  MeterSim sim(home, {"--port", "3", "--values", "const:2.25"});
  ASSERT_TRUE(sim.ready());
  ASSERT_TRUE(openPortDialog(app));
  EXPECT_TRUE(app.text("cboPorts").startsWith(QLatin1String("COM3 (")))
      << app.text("cboPorts").toStdString();
  ASSERT_TRUE(ok(app.request(QStringLiteral("click optDevice(0)"))));
  ASSERT_TRUE(ok(app.request(QStringLiteral("click cmdOK"))));

  EXPECT_TRUE(waitUntil([&] { return pollsSeen(sim) >= 2; }, 5s));
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal") == QLatin1String("2,250 V"); }, 5s))
      << app.text("lblVal").toStdString();
  EXPECT_TRUE(app.modal().isEmpty());
}

TEST(PortDialogE2e, CancelAndTheCloseBoxReopenThePortThatWasOpen) {
  for (const char* close : {"click cmdCancel", "dismiss"}) {
    SCOPED_TRACE(close);
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--values", "const:3.3"});
    ASSERT_TRUE(sim.ready());
    KelvorApp app(home);
    ASSERT_TRUE(app.connected());
    ASSERT_TRUE(waitUntil([&] { return pollsSeen(sim) >= 1; }, 5s));

    ASSERT_TRUE(openPortDialog(app));
    ASSERT_TRUE(ok(app.request(QStringLiteral("click optBPS(4)"))));  // then thrown away
    // While the dialog is up the port is closed: no polls.
    waitUntil([] { return false; }, 300ms);
    const std::size_t whileOpen = pollsSeen(sim);
    waitUntil([] { return false; }, 2500ms);
    EXPECT_EQ(pollsSeen(sim), whileOpen);

    ASSERT_TRUE(ok(app.request(QString::fromLatin1(close))));
    ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 5s));
    EXPECT_TRUE(waitUntil([&] { return pollsSeen(sim) > whileOpen + 1; }, 5s));
    EXPECT_TRUE(lastLineSettings(sim).contains(QLatin1String("1200 baud")))
        << lastLineSettings(sim).toStdString();
    ASSERT_TRUE(app.quit());
    EXPECT_EQ(stored(home, "BPS"), QLatin1String("1200"));
  }
}

TEST(PortDialogE2e, QuitItemEndsTheProgramAndStoresTheSettings) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "const:1"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(ok(app.request(QStringLiteral("click mnuFile2(6)"))));
  EXPECT_TRUE(waitUntil([&] { return !app.running(); }, 10s));
  EXPECT_EQ(stored(home, "Port"), QLatin1String("1"));
  EXPECT_EQ(stored(home, "wState"), QLatin1String("0"));
}

}  // namespace
}  // namespace kelvor::e2e
