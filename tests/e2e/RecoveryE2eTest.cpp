// SPDX-License-Identifier: GPL-3.0-or-later
// A recorder left alone for hours with a meter that talks nonsense. A meter that goes away and
// comes back: RecordE2e (the serial port) and NetworkE2e (the window, a server away).
#include <set>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

// Whatever the meter sends, the program stays up and records nothing but the meter's whole
// values (a split answer, half a frame and a poll a second whatever comes: PollingCycleTest).
TEST(RecoveryE2e, HostileMeterNeverStopsTheProgramNorLeavesAWrongValue) {
  TestHome home;
  const QString script = home.writeFile("hostile.txt",
                                        "DC  1.111 V  \ngarbage\nsilent\n"
                                        "raw DC  2.2\n"                   // half a frame
                                        "raw \\x00\\x01\\xff\\r\\r\\r\n"  // bytes of no frame
                                        "late 1400 DC  3.333 V  \n"  // arrives during the next poll
                                        "overload  O.L  \noverload   OL  \n"
                                        "split 5 DC  7.777 V  \ngarbage\n"  // comes in two parts
                                        "raw DC  4.444 V   \n"              // no carriage return
                                        "DC  5.555 V  \n");
  MeterSim sim(home, {"--port", "1", "--script", script});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected() && recordReadings(app, 1).size() == 1u);
  ASSERT_TRUE(waitUntil([&] { return app.text("lblVal") == "5,555 V"; }, 30s))
      << app.text("lblVal").toStdString();
  pause(2s);
  EXPECT_TRUE(app.running());

  const std::set<double> meterValues = {1.111, 3.333, 4.444, 5.555, 7.777};
  const QString saved = home.file(QStringLiteral("channel0.kvr"));
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(0)"), saved));
  for (const TraceLine& line : recordLines(contentsOf(saved), QLatin1Char(',')))
    EXPECT_TRUE(meterValues.count(line.value)) << line.value << " at " << line.time;
}

}  // namespace
}  // namespace kelvor::e2e
