// A recorder left alone for hours: the meter goes away and comes back, or talks nonsense.
#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>
#include <set>
#include <vector>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

using namespace std::chrono_literals;

// Starts a recording on channel 0 and waits until the first reading has arrived.
::testing::AssertionResult startRecording(KelvorApp& app) {
  if (!app.request(QStringLiteral("click chkActive")).startsWith(QLatin1String("ok")))
    return ::testing::AssertionFailure() << "cannot check chkActive";
  if (!waitUntil([&] { return app.text("lblLauf") != QLatin1String("-- : -- : --"); }, 5s))
    return ::testing::AssertionFailure() << "the recording did not start";
  return ::testing::AssertionSuccess();
}

// Saves channel 0 through the menu and returns its records.
std::vector<TraceLine> savedChannel(KelvorApp& app, const TestHome& home) {
  const QString path = home.file(QStringLiteral("channel0.kvr"));
  EXPECT_TRUE(chooseThroughMenu(app, QStringLiteral("mnuFileSave(0)"), path));
  return recordLines(contentsOf(path), QLatin1Char(','));
}

TEST(RecoveryE2e, AMeterThatGoesAwayIsPolledAgainWhenItComesBack) {
  TestHome home;
  auto sim = std::make_unique<MeterSim>(home, QStringList{"--port", "3", "--values", "ramp:1,1"});
  ASSERT_TRUE(sim->ready());
  home.writeSettings({{"Port", "3"}});
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(startRecording(app));
  waitUntil([] { return false; }, 4s);

  sim->terminate();  // the meter's adapter is pulled out ...
  waitUntil([] { return false; }, 3s);
  EXPECT_TRUE(app.running());

  // ... and comes back under the same port number, counting on from 1001.
  sim = std::make_unique<MeterSim>(home, QStringList{"--port", "3", "--values", "ramp:1001,1"});
  ASSERT_TRUE(sim->ready());
  EXPECT_TRUE(waitUntil([&] { return app.text("lblVal").startsWith(QLatin1String("100")); }, 5s))
      << app.text("lblVal").toStdString();
  waitUntil([] { return false; }, 3s);

  const std::vector<TraceLine> lines = savedChannel(app, home);
  ASSERT_FALSE(lines.empty());
  std::size_t before = 0;
  std::size_t after = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    const bool second = lines[i].value >= 1001;
    (second ? after : before) += 1;
    if (i == 0) continue;
    EXPECT_GT(lines[i].time, lines[i - 1].time);
    // Each meter counts up by one per poll; samples of one meter never go backwards.
    if ((lines[i - 1].value >= 1001) == second) {
      EXPECT_GT(lines[i].value, lines[i - 1].value);
    }
    EXPECT_FALSE(lines[i - 1].value >= 1001 && !second) << "an old value after the new ones";
  }
  EXPECT_GE(before, 1u);
  EXPECT_GE(after, 1u);
  EXPECT_EQ(app.request(QStringLiteral("checked chkActive")), QLatin1String("ok 1"));
}

TEST(RecoveryE2e, HostileMeterNeverLeavesAWrongValueInTheRecording) {
  TestHome home;
  const QString script = home.file(QStringLiteral("hostile.txt"));
  {
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text));
    QTextStream(&file) << "DC  1.111 V  \n"
                       << "garbage\n"
                       << "silent\n"
                       << "raw DC  2.2\n"              // half a frame
                       << "late 1400 DC  3.333 V  \n"  // arrives during the next poll
                       << "overload  O.L  \n"
                       << "overload   OL  \n"
                       << "raw DC  4.444 V   \n"  // no carriage return
                       << "DC  5.555 V  \n";
  }
  MeterSim sim(home, {"--port", "1", "--script", script});
  ASSERT_TRUE(sim.ready());
  KelvorApp app(home);
  ASSERT_TRUE(app.connected());
  ASSERT_TRUE(startRecording(app));
  ASSERT_TRUE(waitUntil([&] { return app.text("lblVal") == QLatin1String("5,555 V"); }, 20s))
      << app.text("lblVal").toStdString();
  waitUntil([] { return false; }, 2s);

  // One poll a second all along, and nothing but "D".
  const std::vector<LoggedByte> polls = receivedBytes(sim.logPath());
  ASSERT_GE(polls.size(), 8u);
  for (std::size_t i = 1; i < polls.size(); ++i) {
    EXPECT_EQ(polls[i].byte, 'D');
    EXPECT_NEAR(polls[i].seconds - polls[i - 1].seconds, 1.0, 0.2);
  }

  const std::set<double> meterValues = {1.111, 3.333, 4.444, 5.555};
  for (const TraceLine& line : savedChannel(app, home)) {
    SCOPED_TRACE(line.time);
    EXPECT_TRUE(meterValues.count(line.value)) << line.value;
  }
}

}  // namespace
}  // namespace kelvor::e2e
