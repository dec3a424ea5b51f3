// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/MeterGroup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calc/Calculation.h"
#include "support/FakeJournal.h"
#include "support/FakeMeter.h"

namespace kelvor {
namespace {

constexpr LocalSeconds StartOfTest = 1796515200 + 14 * 3600;  // 2026-12-06 14:00:00

// Two meters as the window's further meters run (sessions without a plot) and a channel
// calculated from them, on the group's tick; every journal a fake.
class MeterGroupTest : public ::testing::Test, public AlarmSound {
 protected:
  MeterGroupTest() {
    for (int i = 0; i < 2; ++i) {
      testing::FakeMeter& meter = *meters[i];
      meter.config.ComPort = i + 1;
      meter.connection.PortOpen = true;
      meter.session.journal().attach(&journals[i]);
      meter.session.chooseChannel(i);
      group.addMeter(meter.session, i + 1);
    }
  }
  void beeps(int) override {}
  // One tick a second after the last: the polls go out, each meter answers with its frame (none
  // for ""), and the tick is finished between two events.
  void tick(const std::string& frame1, const std::string& frame2) {
    clock.advance(1);
    ASSERT_TRUE(ticks.enabled());
    group.onTick();
    for (int i = 0; i < 2; ++i) {
      meters[i]->link.incoming = i == 0 ? frame1 : frame2;
      meters[i]->session.onReadTick();
    }
    if (finish.enabled()) group.onFinishTick();
  }
  // How many rows a journal took, and how many of them in order, a second apart from 0.
  static std::string rowsOf(const testing::FakeJournal& journal) {
    int rows = 0, inOrder = 0;
    for (const std::string& call : journal.calls) {
      if (call.rfind('+', 0) != 0) continue;
      const std::string row = call.substr(call.rfind('\n') + 1);
      const auto at = row.find(';', row.find(';') + 1) + 1;  // elapsed_s, after time and utc
      if (row.substr(at, row.find(';', at) - at) == std::to_string(rows) + ",000") ++inOrder;
      ++rows;
    }
    return std::to_string(rows) + " rows, " + std::to_string(inOrder) + " in order";
  }

  testing::FakeClock clock{StartOfTest};
  testing::FakeJournal journals[3];  // the meters', the calculated one
  testing::FakeMeter first{StartOfTest, {}, *this, &clock}, second{StartOfTest, {}, *this, &clock};
  testing::FakeMeter* meters[2] = {&first, &second};
  testing::FakeTimer ticks, finish;
  MeterGroup group{{{true, {}}, {true, {}}, {true, parseCalculation("P=1*2").calculation}},
                   ',',
                   {ticks, finish, clock, journals[2]}};
};

// Hours past what a trace store holds, every journal has a row for every tick, in order, and
// no meter is switched off.
TEST_F(MeterGroupTest, EveryJournalTakesEveryTickOfALongRecording) {
  constexpr int Ticks = 20000;
  static_assert(Ticks > TraceStore::LiveCapacity);
  for (testing::FakeMeter* meter : meters) meter->session.recorder().setActive(true);
  group.start();
  for (int i = 0; i < Ticks; ++i) tick("DC  1.500 V  \r", "DC  0.250 A  \r");
  for (const testing::FakeJournal& journal : journals)
    EXPECT_EQ(rowsOf(journal), "20000 rows, 20000 in order");
  for (testing::FakeMeter* meter : meters) EXPECT_TRUE(meter->session.state().running());
}

}  // namespace
}  // namespace kelvor
