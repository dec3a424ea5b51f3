// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/InvalidValue.h"
#include "core/acquisition/MeterFrame.h"
#include "core/acquisition/PollingCycle.h"
#include "core/acquisition/PortTable.h"
#include "support/FakeClock.h"
#include "support/FakeLink.h"
#include "support/FakeTimer.h"

namespace kelvor {
namespace {

using Texts = std::vector<std::string>;

TEST(MeterFrame, ShowsAndReadsTheFrame) {
  const float none = InvalidValue;  // frame, separator, value text | mode | unit, value
  for (const auto& [frame, separator, shown, value] :
       std::vector<std::tuple<std::string, char, std::string, float>>{
           // A blank joins number and unit while the number has fewer than six characters.
           {"DC  1.234 V  \r", '.', "1.234 V|DC|V", 1.234f},
           {"DC -1.234 V  \r", ',', "-1,234V|DC|V", -1.234f},
           {"TE   21.5 C  \r", ',', "21,50 C|TE|C", 21.5f},
           {"OH  1.500kOhm\r", ',', "1,500|kOhm|kOhm", 1.5f},  // the unit goes to the mode label
           // The magnitude of the single float chooses the pattern.
           {"DC 9.9996 V  \r", ',', "10,000V|DC|V", 9.9996f},
           {"DC 10.000 V  \r", ',', "10,00 V|DC|V", 10.0f},
           // Overloads and fields without a number carry no value and show the meter's text.
           {"OH  .OL  MOhm\r", ',', ".OL|MOhm|MOhm", none},
           {"DC        V  \r", ',', "----- V|DC|V", none},
           {"DC 1E+99 V   \r", ',', "1E+99 V|DC|V", none},   // beyond a single float
           {"DC  1.234 V  \rX", ',', "-----|--|", none}}) {  // wrong length
    std::string text = frame;
    const DecodedFrame decoded = decodeFrame(text, separator);
    EXPECT_EQ(decoded.valueText + "|" + decoded.modeText + "|" + decoded.unit, shown);
    EXPECT_EQ(decoded.value, value) << frame;
    EXPECT_TRUE(frame.size() != 14 || text == frame.substr(0, 13));  // the return is removed
  }
}

TEST(PortTable, FixedDevicesByPortNumber) {
  for (const auto& [port, device] : std::vector<std::pair<int, std::string>>{
           {32, "/dev/ttyS31"}, {33, "/dev/ttyUSB0"}, {128, "/dev/ttyAMA31"}, {0, ""}, {129, ""}})
    EXPECT_EQ(fixedDeviceForPort(port), device) << port;
  PortConfig config;  // a name that file names and topics take, one per meter
  config.ComPort = 7;
  for (const auto& [address, name] : std::vector<std::pair<std::string, std::string>>{
           {"", "COM7"},
           {"tcp://127.0.0.1:24001", "tcp-127.0.0.1-24001"},
           {"rfc2217://[fe80::1]:7", "rfc2217-fe80..1-7"}}) {
    config.Address = address;
    EXPECT_EQ(meterName(config), name);
  }
}

const std::string FrameA = "DC  1.234 V  \r", FrameB = "AC  5.678 V  \r";

class PollingCycleTest : public ::testing::Test {
 protected:
  // Polls and delivers read ticks, piece i arriving before tick i, until the cycle stops
  // asking; returns the number of ticks.
  int poll(const Texts& pieces) {
    cycle.onPollTick();
    int ticks = 0;
    for (; readTimer.enabled() && ticks < 100; ++ticks) {
      if (ticks < static_cast<int>(pieces.size())) link.incoming += pieces[ticks];
      cycle.onReadTick();
    }
    return ticks;
  }

  PortConfig config;
  ConnectionState connection{true};  // opened by the user
  testing::FakeLink link;
  testing::FakeTimer readTimer;
  Texts answers;
  testing::FakeClock clock{1000};
  MeterState meter{clock};
  PollingCycle cycle{config,    connection, link,
                     readTimer, meter,      [this](std::string& a) { answers.push_back(a); }};
};

TEST_F(PollingCycleTest, CollectsUntilTheFrameIsCompleteOrGivesUpOrDoesNotPoll) {
  // Meter type, the pieces arriving, ticks, answered with the first 14 characters.
  for (const auto& [meterType, pieces, ticks, answered] :
       std::vector<std::tuple<int, Texts, int, bool>>{
           {0, {FrameA.substr(0, 10), FrameA.substr(10) + "XXX"}, 2, true},
           {1, {FrameA + FrameB, FrameB + FrameB}, 2, true},  // four displays: the first counts
           {1, {FrameA}, PollingCycle::MaxReadSteps, false},
           {0, {FrameA.substr(0, 7)}, PollingCycle::MaxReadSteps, false}}) {
    answers.clear();
    config.MeterType = static_cast<MeterKind>(meterType);
    EXPECT_EQ(poll(pieces), ticks) << pieces[0];
    EXPECT_EQ(answers, answered ? Texts{FrameA} : Texts{}) << pieces[0];
  }
  EXPECT_EQ(poll({FrameB}), 1);  // after giving up the next poll works again
  EXPECT_EQ(std::pair(answers, link.written), std::pair(Texts{FrameB}, std::string("DDDDD")));
  // Nothing is polled after a failed write or on a closed port.
  link.writeSucceeds = false;
  EXPECT_EQ(poll({FrameA}), 0);
  // The user never got it open: not retried either.
  connection.PortOpen = link.open = false, link.writeSucceeds = true;
  EXPECT_EQ(poll({FrameA}) + link.reopenAttempts, 0);
}

TEST_F(PollingCycleTest, StaleInputIsDiscardedAndAFailedPortIsClosedAndReopenedOncePerPoll) {
  cycle.onPollTick();  // a new poll during collection starts with an empty buffer
  link.incoming = FrameA.substr(0, 5);
  cycle.onReadTick();
  EXPECT_EQ(poll({FrameB}), 1);
  link.incoming = FrameA.substr(9);  // the late tail of an earlier answer
  EXPECT_TRUE(poll({FrameA}) == 1 && answers == (Texts{FrameB, FrameA}));

  cycle.onPollTick();
  link.gone = true;  // pulled out while the answer is awaited
  cycle.onReadTick();
  EXPECT_FALSE(link.isOpen() || readTimer.enabled());
  cycle.onPollTick(), cycle.onPollTick();
  EXPECT_EQ(std::pair(link.reopenAttempts, meter.condition()),
            std::pair(2, MeterCondition::Retrying));
  link.gone = false;  // plugged in again
  EXPECT_TRUE(poll({FrameB}) == 1 && meter.condition() == MeterCondition::Answering);
  link.gone = true;  // a failed write closes the port; the next poll reopens it
  cycle.onPollTick();
  EXPECT_EQ(std::pair(link.isOpen(), meter.condition()),
            std::pair(false, MeterCondition::Retrying));
  link.gone = false, cycle.onPollTick();
  EXPECT_EQ(std::tuple(link.reopenAttempts, readTimer.enabled(), meter.condition()),
            std::tuple(4, true, MeterCondition::Answering));
  link.failedFlag = true;  // failed between two polls, still open: closed and reopened
  cycle.onPollTick();
  EXPECT_EQ(link.reopenAttempts, 5);
}

// Answers, polls given up and polls cut short by the next one all count for the state (how it
// counts: MeterState).
TEST_F(PollingCycleTest, AMeterThatStopsAnsweringIsToldApart) {
  meter.portOpened(true);
  for (const bool cutShort : {false, true}) {
    EXPECT_EQ(poll({FrameA}), 1);
    EXPECT_EQ(std::pair(meter.condition(), meter.lastAnswer()),
              std::pair(MeterCondition::Answering, clock.now()));
    for (int i = 0; i < 5; ++i) cutShort ? cycle.onPollTick() : (void)poll({});
    if (cutShort) cycle.onPollTick();  // the next poll finds the last one unanswered
    EXPECT_EQ(meter.condition(), MeterCondition::NoAnswer) << cutShort;
  }
  for (int i = 0; i < 5; ++i) poll({"DC 1"});  // bytes, but never a whole answer
  EXPECT_EQ(meter.condition(), MeterCondition::NoValidFrame);
}

TEST_F(PollingCycleTest, AStreamingMeterIsOnlyListenedToAndGivesOneReadingATick) {
  config.Meter = "es51922";
  meter.portOpened(true);
  link.incoming = "2345;000:0\r\n012345;000:0\r\n054321;000:0\r\n0123";
  cycle.onPollTick();
  EXPECT_EQ(answers, Texts{"054321;000:0\r\n"});
  for (int tick = 1; tick <= MeterState::MissedPollLimit; ++tick) {
    EXPECT_EQ(meter.condition(), MeterCondition::Answering) << tick;
    link.incoming = "garbage without a frame";
    cycle.onPollTick();
  }
  EXPECT_EQ(std::tuple(meter.condition(), link.written, readTimer.enabled(), answers.size()),
            std::tuple(MeterCondition::NoValidFrame, "", false, std::size_t{1}));
}

}  // namespace
}  // namespace kelvor
