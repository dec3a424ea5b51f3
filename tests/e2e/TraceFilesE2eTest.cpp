// Trace files through the real window: record from the meter simulator, save a channel
// through the File menu and the file dialog, load it into other channels, save again.
#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

TEST(TraceFilesE2e, RecordedChannelSurvivesSaveAndLoadThroughTheMenus) {
  for (const auto& [language, separator] :
       {std::pair{"de_DE.UTF-8", QLatin1Char(',')}, std::pair{"en_US.UTF-8", QLatin1Char('.')}}) {
    SCOPED_TRACE(language);
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,0.25"});
    ASSERT_TRUE(sim.ready());
    KelvorApp app(home, language);
    ASSERT_TRUE(app.connected());

    // Record a few readings into the green channel (the active one after start-up).
    ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));
    QStringList readings;
    waitUntil(
        [&] {
          const QString now = app.text(QStringLiteral("lblVal"));
          if (readings.isEmpty() || readings.back() != now) readings << now;
          return readings.size() >= 9;
        },
        20s);
    ASSERT_GE(readings.size(), 9) << readings.join(" | ").toStdString();

    const QString saved = home.file(QStringLiteral("green.kvr"));
    ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(0)"), saved));
    const QByteArray bytes = contentsOf(saved);
    const std::vector<TraceLine> lines = recordLines(bytes, separator);
    ASSERT_GE(lines.size(), 3u) << bytes.toStdString();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      SCOPED_TRACE(i);
      // The simulator's ramp: 1, 1.25, 1.5, ... one step per reading.
      const double steps = (lines[i].value - 1.0) / 0.25;
      EXPECT_NEAR(steps, std::round(steps), 1e-9);
      if (i > 0) {
        EXPECT_GT(lines[i].value, lines[i - 1].value);
        EXPECT_GT(lines[i].time, lines[i - 1].time);
      }
    }
    EXPECT_TRUE(QString::fromLatin1(bytes).contains(separator)) << bytes.toStdString();

    // Qt's own dialogs speak the interface language: the question before a file is replaced
    // (answered No here).
    const bool german = separator == ',';
    ASSERT_TRUE(app.ok(QStringLiteral("click mnuFileSave(0)")) &&
                waitUntil([&] { return app.ok("choose-file " + saved); }, 5s));
    EXPECT_TRUE(app.awaitModal("Datei speichern|").contains(german ? "existiert" : "exists"));
    ASSERT_TRUE(app.ok("dismiss") &&
                waitUntil([&] { return app.modal() == "Datei speichern"; }, 5s) && app.dismiss());

    // Loading into another channel leaves the recording running.
    ASSERT_TRUE(app.choose(QStringLiteral("mnuFileLoad(1)"), saved));
    EXPECT_EQ(app.value(QStringLiteral("checked chkActive")), QLatin1String("1"));
    // The red channel now holds the file: saved again it gives the same bytes.
    const QString again = home.file(QStringLiteral("red.kvr"));
    ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(1)"), again));
    EXPECT_EQ(contentsOf(again), bytes);

    // A bad file leaves the channel as it was. The good one mixes both decimal separators:
    // either reads as a decimal point.
    const QString good = home.writeFile("good.kvr", "1,5;0\r\n2.5;1\r\n\r\n\r\n");
    const QString bad = home.writeFile("bad.kvr", "1;0\r\n\r\n2;x\r\n");
    ASSERT_TRUE(app.choose(QStringLiteral("mnuFileLoad(2)"), good));
    EXPECT_FALSE(app.choose(QStringLiteral("mnuFileLoad(2)"), bad));
    const QString message = app.modal();
    EXPECT_TRUE(message.startsWith("Kelvor|") && message.contains(bad) && message.contains(" 3: "))
        << message.toStdString();
    ASSERT_TRUE(app.dismiss());
    const QString magenta = home.file(QStringLiteral("magenta.kvr"));
    ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(2)"), magenta));
    EXPECT_EQ(contentsOf(magenta),
              QByteArray("1,5;0\r\n2,5;1\r\n\r\n\r\n").replace(',', separator.toLatin1()));

    // Loading into the channel being recorded switches drawing off.
    ASSERT_TRUE(app.choose(QStringLiteral("mnuFileLoad(0)"), again));
    EXPECT_EQ(app.value(QStringLiteral("checked chkActive")), QLatin1String("0"));
    EXPECT_TRUE(app.modal().isEmpty());
  }
}

}  // namespace
}  // namespace kelvor::e2e
