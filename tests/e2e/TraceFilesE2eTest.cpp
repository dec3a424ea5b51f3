// SPDX-License-Identifier: GPL-3.0-or-later
// Trace files through the real window: record from the meter simulator, save a channel
// through the File menu and the file dialog, load it into other channels, save again. Bad
// and mixed files are TraceFileCommandsTest's (ui) and TraceFileTest's (core).
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
    // Record a few readings into the green channel (the active one after start-up).
    ASSERT_TRUE(app.connected() && recordReadings(app, 9).size() == 9u);

    const QString saved = home.file(QStringLiteral("green.kvr"));
    ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(0)"), saved));
    const QByteArray bytes = contentsOf(saved);
    const std::vector<TraceLine> lines = recordLines(bytes, separator);
    ASSERT_GE(lines.size(), 3u) << bytes.toStdString();
    // Rising, in value (the simulator's ramp) and in time; the exact bytes are the unit tests'.
    for (std::size_t i = 1; i < lines.size(); ++i)
      EXPECT_TRUE(lines[i].value > lines[i - 1].value && lines[i].time > lines[i - 1].time) << i;

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

    // Loading into the channel being recorded switches drawing off.
    ASSERT_TRUE(app.choose(QStringLiteral("mnuFileLoad(0)"), again));
    EXPECT_TRUE(app.value("checked chkActive") == "0" && app.modal().isEmpty());
  }
}

}  // namespace
}  // namespace kelvor::e2e
