// SPDX-License-Identifier: GPL-3.0-or-later
// The real recorder against the real meter simulator over a pseudo-terminal. What each frame
// shows is AcquisitionTest's; a hostile meter's split, late, partial and stray answers
// PollingCycleTest's, a four-display meter MeterStateE2e's, a port that does not open
// PortDialogE2e's.
#include <QFileInfo>
#include <set>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

TEST(ReadingsE2e, RunCommandShowsChangingReadingsWithinThreeSeconds) {
  TestHome home;
  const auto started = std::chrono::steady_clock::now();
  KelvorApp app(home, QStringLiteral("de_DE.UTF-8"),
                QStringLiteral(KELVOR_SOURCE_DIR "/tools/start-with-simulator"),
                {QFileInfo(QStringLiteral(KELVOR_EXE)).absolutePath()});
  std::set<QString> readings;
  waitUntil(
      [&] {
        const QString value = app.text("lblVal");
        if (value != QLatin1String("0,000") && !value.startsWith('<')) readings.insert(value);
        return readings.size() >= 2;
      },
      3s - std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 started));
  EXPECT_GE(readings.size(), 2u) << "readings seen: " << readings.size();
}

// A condition start set in "File → Schedule recording…": a malformed condition is named and the
// dialog stays; with drawing on, the title says what it waits for, and the trace begins with
// the pre-trigger readings, before the time of the trigger. (The rules on the fake clock:
// RecordingRulesTest, LiveRecordingTest.)
TEST(ReadingsE2e, AScheduledStartWaitsAndTheTraceBeginsWithItsPreTriggerReadings) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--values", "ramp:1.55,-0.1"});  // 0.75 after 8 s
  KelvorApp app(home, QStringLiteral("en_US.UTF-8"));
  ASSERT_TRUE(app.ok("click mnuSchedule"));
  ASSERT_EQ(app.awaitModal(), "Schedule recording");
  ASSERT_TRUE(app.value("select cboStart when").startsWith("when") && app.ok("type txtStart 0.8") &&
              app.ok("type txtPreTrigger 3") && app.ok("click cmdOK"));
  EXPECT_TRUE(
      waitUntil([&] { return app.text("lblProblem").startsWith("“0.8” is not a condition"); }, 5s))
      << app.text("lblProblem").toStdString();
  ASSERT_TRUE(app.ok("type txtStart < 0.8") && app.ok("click cmdOK") &&
              waitUntil([&] { return app.modal().isEmpty(); }, 5s));
  ASSERT_TRUE(app.ok("click chkActive"));
  EXPECT_TRUE(waitUntil([&] { return app.text("frmMain").endsWith(" – waiting for < 0.8"); }, 5s))
      << app.text("frmMain").toStdString();
  ASSERT_TRUE(waitUntil([&] { return !app.text("frmMain").contains("waiting"); }, 15s));
  const QString saved = home.file(QStringLiteral("green.kvr"));
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(0)"), saved));
  const std::vector<TraceLine> lines = recordLines(contentsOf(saved), QLatin1Char('.'));
  ASSERT_GE(lines.size(), 4u) << contentsOf(saved).toStdString();
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i].time, static_cast<int>(i) - 3);
    EXPECT_NEAR(lines[i].value, 0.75 + 0.1 * (3.0 - static_cast<double>(i)), 0.001) << i;
  }
}

}  // namespace
}  // namespace kelvor::e2e
