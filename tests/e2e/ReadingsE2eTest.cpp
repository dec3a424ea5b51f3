// SPDX-License-Identifier: GPL-3.0-or-later
// The real recorder against the real meter simulator over a pseudo-terminal. What each frame
// shows is AcquisitionTest's; a hostile meter is RecoveryE2e's, a four-display meter
// MeterStateE2e's, a port that does not open PortDialogE2e's.
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
  ASSERT_TRUE(app.connected());
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

}  // namespace
}  // namespace kelvor::e2e
