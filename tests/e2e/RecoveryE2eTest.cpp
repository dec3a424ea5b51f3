// A recorder left alone for hours: the meter goes away and comes back, or talks nonsense.
#include <QFile>
#include <cmath>
#include <memory>
#include <set>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

// Starts a recording on channel 0 and waits until the first reading has arrived.
bool startRecording(KelvorApp& app) {
  return app.ok(QStringLiteral("click chkActive")) &&
         waitUntil([&] { return app.text("lblLauf") != QLatin1String("-- : -- : --"); }, 5s);
}

std::vector<TraceLine> savedChannel(KelvorApp& app, const TestHome& home) {
  const QString path = home.file(QStringLiteral("channel0.kvr"));
  EXPECT_TRUE(app.choose(QStringLiteral("mnuFileSave(0)"), path));
  return recordLines(contentsOf(path), QLatin1Char(','));
}

// The meter's adapter is pulled out (the port link goes), then the simulator dies (the link
// dangles); each time a meter comes back under the same port, counting on from 1001, 2001.
TEST(RecoveryE2e, AMeterThatGoesAwayIsPolledAgainWhenItComesBack) {
  TestHome home;
  auto sim = std::make_unique<MeterSim>(home, QStringList{"--port", "3", "--values", "ramp:1,1"});
  ASSERT_TRUE(sim->ready());
  home.writeSettings({{"Port", "3"}});
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(startRecording(app));
  pause(4s);
  for (const int meter : {1, 2}) {
    SCOPED_TRACE(meter);
    sim->stop(meter == 2);
    if (meter == 2) {
      // The dangling link is aimed where no other test's pseudo-terminal can turn up
      // meanwhile (the system reuses their numbers).
      const QString link = home.file(QStringLiteral("Kelvor/ports/COM3"));
      ASSERT_TRUE(QFile::remove(link) && QFile::link(home.file(QStringLiteral("gone")), link));
    }
    pause(500ms);
    const QString shown = app.text("lblVal");
    pause(2500ms);
    EXPECT_TRUE(app.running());
    EXPECT_EQ(app.text("lblVal"), shown);
    sim = std::make_unique<MeterSim>(
        home, QStringList{"--port", "3", "--values", QString("ramp:%1,1").arg(meter * 1000 + 1)});
    ASSERT_TRUE(sim->ready());
    const QString prefix = QString::number(meter * 100);
    EXPECT_TRUE(waitUntil([&] { return app.text("lblVal").startsWith(prefix); }, 5s))
        << app.text("lblVal").toStdString();
    pause(3s);
  }
  // Each meter counts up by one per poll: the values rise throughout, by meter and in time.
  const std::vector<TraceLine> lines = savedChannel(app, home);
  std::set<int> meters;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    meters.insert(static_cast<int>(lines[i].value / 1000));
    EXPECT_TRUE(i == 0 ||
                (lines[i].value > lines[i - 1].value && lines[i].time > lines[i - 1].time))
        << i << ": " << lines[i].value << " at " << lines[i].time;
  }
  EXPECT_EQ(meters, (std::set<int>{0, 1, 2}));
  EXPECT_EQ(app.value(QStringLiteral("checked chkActive")), QLatin1String("1"));
}

// Whatever the meter sends, the program polls with one "D" a second, stays up, reads a split
// answer, and records nothing but the meter's whole values.
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
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(startRecording(app));
  std::set<QString> shown;
  ASSERT_TRUE(waitUntil([&] { return *shown.insert(app.text("lblVal")).first == "5,555 V"; }, 30s))
      << app.text("lblVal").toStdString();
  pause(2s);
  EXPECT_TRUE(app.running());
  EXPECT_TRUE(shown.count(QStringLiteral("7,777 V"))) << "a split answer is still read";
  for (const QString& text : shown) EXPECT_FALSE(text.startsWith("2,2")) << "half a frame shown";

  const std::vector<LoggedByte> polls = sim.polls();
  ASSERT_GE(polls.size(), 12u);
  for (std::size_t i = 0; i < polls.size(); ++i)
    EXPECT_TRUE(polls[i].byte == 'D' &&
                (i == 0 || std::fabs(polls[i].seconds - polls[i - 1].seconds - 1.0) <= 0.2))
        << i << ": " << polls[i].byte << " at " << polls[i].seconds;
  const std::set<double> meterValues = {1.111, 3.333, 4.444, 5.555, 7.777};
  for (const TraceLine& line : savedChannel(app, home)) {
    SCOPED_TRACE(line.time);
    EXPECT_TRUE(meterValues.count(line.value)) << line.value;
  }
}

}  // namespace
}  // namespace kelvor::e2e
