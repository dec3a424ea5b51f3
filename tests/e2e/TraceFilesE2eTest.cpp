// SPDX-License-Identifier: GPL-3.0-or-later
// Trace files through the real window: record from the meter simulator, save a channel
// through the File menu and the file dialog, load it into another channel, save again. The
// bytes, either separator and which load ends the recording are TraceFileTest's (core), bad
// and mixed files TraceFileCommandsTest's (ui).
#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

TEST(TraceFilesE2e, RecordedChannelSurvivesSaveAndLoadThroughTheMenus) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1,0.25"});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  // Record a few readings into the green channel (the active one after start-up).
  ASSERT_TRUE(app.connected() && recordReadings(app, 5).size() == 5u);
  const QString saved = home.file(QStringLiteral("green.kvr"));
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(0)"), saved));
  const QByteArray bytes = contentsOf(saved);
  ASSERT_GE(recordLines(bytes, QLatin1Char(',')).size(), 2u) << bytes.toStdString();

  // Qt's own dialogs speak the interface language: the question before a file is replaced
  // (answered No here).
  ASSERT_TRUE(app.ok(QStringLiteral("click mnuFileSave(0)")) &&
              waitUntil([&] { return app.ok("choose-file " + saved); }, 5s));
  EXPECT_TRUE(app.awaitModal("Datei speichern|").contains("existiert"));
  ASSERT_TRUE(app.ok("dismiss") &&
              waitUntil([&] { return app.modal() == "Datei speichern"; }, 5s) && app.dismiss());

  // The red channel now holds the file: saved again it gives the same bytes, and the
  // recording runs on.
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileLoad(1)"), saved));
  const QString again = home.file(QStringLiteral("red.kvr"));
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(1)"), again));
  EXPECT_EQ(contentsOf(again), bytes);
  EXPECT_EQ(app.value(QStringLiteral("checked chkActive")), QLatin1String("1"));
  // Loading into the channel being recorded switches drawing off.
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileLoad(0)"), again));
  EXPECT_TRUE(app.value("checked chkActive") == "0" && app.modal().isEmpty());
}

}  // namespace
}  // namespace kelvor::e2e
