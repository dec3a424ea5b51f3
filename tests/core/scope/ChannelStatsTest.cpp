#include "core/scope/ChannelStats.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/acquisition/MeterFrame.h"
#include "support/TraceStoreFill.h"

namespace kelvor {
namespace {

using Args = std::vector<std::string>;

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

}  // namespace
}  // namespace kelvor
