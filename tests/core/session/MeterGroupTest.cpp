// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/MeterGroup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/alarm/AlarmRule.h"
#include "core/calc/Calculation.h"
#include "core/session/RecordingGate.h"
#include "core/text/NumberFormat.h"
#include "support/FakeGroup.h"

namespace kelvor {
namespace {

constexpr LocalSeconds StartOfTest = 1796515200 + 14 * 3600;  // 2026-12-06 14:00:00

// Two meters and a channel calculated from them on the group's tick, feeding one recording;
// every journal a fake.
class MeterGroupTest : public ::testing::Test, public AlarmSound, public MeterGroup::TickListener {
 protected:
  MeterGroupTest() { group.addListener(this); }
  void beeps(int) override {}
  void switchDrawing(bool on) { meters.recording.recorder().setActive(on); }
  // The readings of each tick done: "1.5 V|0.25 A|0.375 W", "-" for none.
  void tickDone(const Moment&, const TickReadings& readings) override {
    std::string text;
    for (const auto& reading : readings)
      text += (text.empty() ? "" : "|") +
              (reading ? formatGeneral(reading->value, 7, '.') + " " + reading->unit : "-");
    done.push_back(text);
  }
  // The calculated rows heard, as journal lines.
  void calculationsRecorded(const std::vector<JournalRow>& rows) override {
    for (const JournalRow& row : rows) {
      const std::string line = journalLine(row, journalStyleFor(','));
      heard.push_back(line.substr(0, line.size() - 2));
    }
  }
  // One tick a second after the last: the polls go out, each meter answers with its frame (none
  // for ""), the second one `lateS` seconds later, and the tick is finished between two events.
  void tick(const std::string& frame1, const std::string& frame2, int lateS = 0) {
    meters.clock.advance(1);
    ASSERT_TRUE(meters.ticks.enabled());
    group.onTick();
    const std::size_t told = done.size();
    for (int i = 0; i < 2; ++i) {
      meters.clock.advance(i == 1 ? lateS : 0);
      meters.meters[static_cast<std::size_t>(i)]->link.incoming = i == 0 ? frame1 : frame2;
      meters.meters[static_cast<std::size_t>(i)]->reader.onReadTick();
    }
    ASSERT_EQ(done.size(), told);  // not within the answer's handling
    if (meters.finish.enabled()) group.onFinishTick();
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

  std::vector<std::string> done;  // what listeners were told, a tick a line
  testing::FakeGroup meters{
      StartOfTest, {{true, {}}, {true, {}}, {true, parseCalculation("P=1*2").calculation}}, *this};
  MeterGroup& group = meters.group;
  const TraceStore& traces = meters.recording.traces();
  std::vector<std::string> heard;  // the calculated rows told, as journal lines
};

// Hours past what the trace store holds, every journal has a row for every tick, in order, and
// every channel's trace goes on, the store keeping every other sample when it fills up.
TEST_F(MeterGroupTest, EveryJournalAndTraceTakesEveryTickOfALongRecording) {
  constexpr int Ticks = 20000;
  static_assert(Ticks > TraceStore::LiveCapacity);
  switchDrawing(true);
  for (int i = 0; i < Ticks; ++i)
    tick(i + 2 == Ticks ? "DC  2.000 V  \r" : "DC  1.500 V  \r", "DC  0.250 A  \r");
  EXPECT_EQ(rowsOf(meters.journals[0]) + " " + rowsOf(meters.journals[1]) + " " +
                rowsOf(meters.journals[2]),
            "20000 rows, 20000 in order 20000 rows, 20000 in order 20000 rows, 20000 in order");
  // 15,998 samples a second apart, then every other one of them and one every two seconds.
  const int kept = TraceStore::LiveCapacity / 2 + (Ticks - TraceStore::LiveCapacity + 1) / 2;
  for (int channel = 0; channel < 3; ++channel) {
    const int n = traces.count(channel);
    EXPECT_EQ(std::vector<float>({static_cast<float>(n), traces.time(channel, 1),
                                  traces.time(channel, 2), traces.time(channel, n)}),
              std::vector<float>({static_cast<float>(kept), 0, 2, Ticks - 2}))
        << channel;
  }
  // The last stored tick's product, each channel in its unit.
  EXPECT_EQ(std::pair(traces.value(2, traces.count(2)), traces.unit(1) + traces.unit(2)),
            std::pair(0.5f, std::string("AW")));
  EXPECT_TRUE(meters.recording.state().running());
  EXPECT_EQ(meters.recording.storeInterval(), 2);
}

// A tick is done once every meter answered, after that answer is handled, or when the next
// tick or the end comes; its journals are named by it; the calculated journal takes the rows
// of ticks whose readings were journalled, and the listeners hear those rows; a reset starts the
// next recording at the next tick.
TEST_F(MeterGroupTest, ATickIsDoneWhenAllAnsweredOrTheNextComesAndNamesItsRecording) {
  const std::string volts = "DC  1.500 V  \r", amps = "DC  0.250 A  \r";
  tick(volts, "DC   OL   A  \r");  // before the recording; an overload is no reading
  switchDrawing(true);
  tick(volts, amps, 1);  // the second answer comes a second into the tick, and names nothing
  tick(volts, "");       // a silent meter: done by the next tick
  EXPECT_TRUE(!meters.finish.enabled() && done.size() == 2);
  switchDrawing(false);
  tick(volts, amps);  // drawing off: not journalled, nor is its product
  meters.recording.reset();
  switchDrawing(true);
  tick(volts, amps, 1);
  group.onTick();
  group.stop();  // ends the tick that went out
  const std::string all = "1.5 V|0.25 A|0.375 W";
  EXPECT_EQ(done, (std::vector<std::string>{"1.5 V|-|-", all, "1.5 V|-|-", all, all, "-|-|-"}));
  const auto opened = [](const testing::FakeJournal& journal) {
    std::string names;
    for (const std::string& call : journal.calls)
      if (call.rfind("open ", 0) == 0 || call == "finish") names += call.substr(0, 29) + " ";
    return names;
  };
  EXPECT_EQ(opened(meters.journals[0]) + opened(meters.journals[1]) + opened(meters.journals[2]),
            "open 2026-12-06_14-00-02_COM1 finish open 2026-12-06_14-00-06_COM1 "
            "open 2026-12-06_14-00-02_COM2 finish open 2026-12-06_14-00-06_COM2 "
            "open 2026-12-06_14-00-02_calc finish open 2026-12-06_14-00-06_calc ");
  EXPECT_EQ(rowsOf(meters.journals[2]), "2 rows, 1 in order");  // each recording from 0 s
  std::vector<std::string> journalled;
  for (const std::string& call : meters.journals[2].calls)
    if (call.rfind('+', 0) == 0) journalled.push_back(call.substr(call.rfind('\n') + 1));
  EXPECT_EQ(heard, journalled);
}

// A start rule begins every journal at the tick it fires on with the rows of the pre-trigger
// seconds before it, elapsed negative: the meters' and the calculated channel's.
TEST_F(MeterGroupTest, AStartRuleBeginsEveryJournalWithTheRowsBeforeItsTrigger) {
  const StartRule start{StartRule::Kind::When, 0, parseAlarmCondition("< 0,8"), ""};
  RecordingGate gate(group, RecordingRules(start, StopRule{}), 2, 0);
  group.addListener(&gate);
  for (const char* volts : {"1.500", "1.400", "1.300", "0.500", "0.400"})
    tick(std::string("DC  ") + volts + " V  \r", "DC  0.250 A  \r");
  group.removeListener(&gate);
  // Each journal read back, a row as "elapsed value".
  const auto rows = [](const testing::FakeJournal& journal) {
    std::string file, text;
    for (const std::string& call : journal.calls)
      if (call[0] == '+') file += call.substr(1) + "\r\n";
    for (const JournalRow& row : parseJournal(file).rows)
      text += std::to_string(row.elapsedMs / 1000) + " " + formatGeneral(row.value, 7, '.') + " ";
    return text;
  };
  EXPECT_EQ(
      rows(meters.journals[0]) + "| " + rows(meters.journals[1]) + "| " + rows(meters.journals[2]),
      "-2 1.4 -1 1.3 0 0.5 1 0.4 | -2 0.25 -1 0.25 0 0.25 1 0.25 | -2 0.35 -1 0.325 0 0.125 1 "
      "0.1 ");
}

}  // namespace
}  // namespace kelvor
