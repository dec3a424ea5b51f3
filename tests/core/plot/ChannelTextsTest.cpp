// SPDX-License-Identifier: GPL-3.0-or-later
// What a channel's stored samples read as: its statistics and the plot's readout at a column;
// and which channel a recovered journal may fill.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/InvalidValue.h"
#include "core/plot/PlotCursors.h"
#include "core/plot/PlotReadout.h"
#include "core/recording/ChannelStats.h"
#include "core/recording/Recording.h"
#include "core/recording/RecoveryChannel.h"
#include "core/recording/ValueLists.h"
#include "support/FakeClock.h"
#include "support/TraceStoreFill.h"

namespace kelvor {
namespace {

using Args = std::vector<std::string>;

std::string joined(const std::vector<ReadoutLine>& lines) {
  std::string texts;
  for (const ReadoutLine& line : lines) texts += (texts.empty() ? "" : "|") + line.text;
  return texts;
}

// Gaps count apart and take no part in minimum, maximum and mean; the span covers them.
TEST(ChannelStats, CountsMinimumMaximumMeanAndSpanWithGaps) {
  const float gap = InvalidValue;
  for (const auto& [samples, args] : std::vector<std::tuple<std::vector<TraceSample>, Args>>{
           {{{2.5f, 0}, {-1.0f, 1}, {4.0f, 2}}, {"3", "0", "-1", "4", "1,833333", "0", "2"}},
           {{{gap, 3}, {7.0f, 4}, {gap, 5}, {5.0f, 6}, {gap, 9}},
            {"2", "3", "5", "7", "6", "3", "9"}},
           {{{-2.0f, 10}}, {"1", "0", "-2", "-2", "-2", "10", "10"}},
           {{{gap, 1}, {gap, 2}}, {"0", "2", "0", "0", "0", "1", "2"}}}) {
    TraceStore store;
    testing::fillChannel(store, 0, {{9.0f, 0}, {9.0f, 1}});  // another channel counts not
    testing::fillChannel(store, 4, samples);
    EXPECT_EQ(channelStatsMessage(channelStats(store, 4), ',').args, args) << samples.size();
  }
  const Message empty = channelStatsMessage(channelStats(TraceStore(), 2), ',');
  EXPECT_TRUE(empty.id == MessageId::NoSamples && empty.args.empty());
}

// Time of day only where the active channel, recording live, is read; values with the separator
// and each channel's own unit, as the window shows readings.
TEST(PlotReadout, LinesInTheChannelsColoursWithEitherSeparator) {
  const PlotReadout readout{99.5, {{1, 0.25f, 99.0f, "V"}, {4, -12.0f, 101.0f, "Ah"}}};
  for (const auto& [running, active, separator, texts] :
       std::vector<std::tuple<bool, int, char, std::string>>{
           {true, 4, ',', "00:01:40  09:59:40|250,0 mV|-12,00 Ah"},
           {false, 4, '.', "00:01:40|250.0 mV|-12.00 Ah"},
           {true, 1, '.', "00:01:40  09:59:40|250.0 mV|-12.00 Ah"},
           {true, 2, '.', "00:01:40|250.0 mV|-12.00 Ah"}}) {  // another channel records
    Recording recording;
    recording.switchChannel(active, {});
    testing::FakeClock clock(36000);  // 10:00:00, set back two minutes 200 s later
    if (running) recording.beginRun(clock.moment());
    clock.advance(200), clock.stepWall(-120000);
    const auto lines = readoutLines(readout, recording.state(), clock, separator);
    EXPECT_EQ(joined(lines), texts);
    EXPECT_TRUE(lines.size() == 3u && lines[2].rgb == paletteRgb(ValueLists::ChannelColors[4]));
  }
}

// Between the cursors, in either order, gaps left out; the values at each cursor are the
// nearest samples in time between them (one cursor alone: anywhere); each channel in its own
// unit, as the window shows readings.
TEST(PlotCursors, TimesDifferencesAndStatisticsBetweenTheCursors) {
  TraceStore store;
  testing::fillChannel(store, 0, {{1, 0}, {3, 10}, {InvalidValue, 15}, {5, 20}, {7.5f, 30}});
  testing::fillChannel(store, 2, {{0.5f, 12}, {0.42f, 21}, {0.5f, 21.5f}});
  store.setUnit(0, "V");
  const std::string ch2 =
      "A 0,5000  B 0,4200  \u0394 -0,08000  n 2  min 0,4200  max 0,5000  \u00D8 0,4600";
  for (const auto& [a, b, texts] :
       std::vector<std::tuple<std::optional<double>, std::optional<double>, std::string>>{
           {9, 21.4,
            "A 00:00:09  B 00:00:21  \u0394t 00:00:12|A 3,000 V  B 5,000 V  \u0394 2,000 V  n 2  "
            "min 3,000 V  max 5,000 V  \u00D8 4,000 V|" +
                ch2},
           {30, 0,
            "A 00:00:30  B 00:00:00  \u0394t -00:00:30|A 7,500 V  B 1,000 V  \u0394 -6,500 V  n 4  "
            "min 1,000 V  max 7,500 V  \u00D8 4,125 V|A 0,5000  B 0,5000  \u0394 0,000  n 3  min "
            "0,4200  max 0,5000  \u00D8 0,4733"},
           {std::nullopt, 14, "B 00:00:14|A --  B 3,000 V|A --  B 0,5000"},
           {std::nullopt, std::nullopt, ""}})
    EXPECT_EQ(joined(cursorLines(store, {a, b}, ',')), texts);
}

// A recovered journal never empties the recording channel nor replaces a trace while a
// channel is free.
TEST(RecoveryChannel, NeitherTheRecordingChannelNorATrace) {
  // Rows: journal channel, recording channel, channels holding a trace ('x'), chosen channel.
  // Recorded in the channel that records now; its own channel; its own one holds a trace; ...;
  // a channel number that no channel has; nothing free: its own, as loading a file does;
  // nothing free, its own records: the one after.
  using Row = std::tuple<int, int, const char*, int>;
  for (const auto& [journal, recording, filled, chosen] :
       {Row{0, 0, "......", 1}, Row{3, 0, "......", 3}, Row{3, 0, "...x..", 1},
        Row{0, 1, "......", 0}, Row{0, 0, ".xx...", 3}, Row{7, 2, "x.....", 1},
        Row{4, 0, ".xxxxx", 4}, Row{5, 5, "xxxxx.", 0}}) {
    TraceStore store;
    for (int channel = 0; channel < TraceStore::Channels; ++channel)
      if (filled[channel] == 'x') store.setCount(channel, 1);
    EXPECT_EQ(recoveryChannel(journal, recording, store), chosen) << filled;
  }
}

}  // namespace
}  // namespace kelvor
