// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scope/RecoveryChannel.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kelvor {
namespace {

// A recovered journal never empties the recording channel nor replaces a trace while a
// channel is free.
TEST(RecoveryChannel, NeitherTheRecordingChannelNorATrace) {
  // journal channel, recording channel, channels holding a trace ('x'), chosen channel
  for (const auto& [journal, recording, filled, chosen] :
       std::vector<std::tuple<int, int, std::string, int>>{
           {0, 0, "......", 1},  // recorded in the channel that records now
           {3, 0, "......", 3},  // its own channel
           {3, 0, "...x..", 1},  // its own one holds a trace
           {0, 1, "......", 0},
           {0, 0, ".xx...", 3},
           {7, 2, "x.....", 1},  // a channel number that no channel has
           {4, 0, ".xxxxx", 4},  // nothing free: its own, as loading a file does
           {5, 5, "xxxxx.", 0},  // nothing free, its own records: the one after
       }) {
    SCOPED_TRACE(filled);
    TraceStore store;
    for (int channel = 0; channel < TraceStore::Channels; ++channel)
      if (filled[static_cast<std::size_t>(channel)] == 'x') store.setCount(channel, 1);
    EXPECT_EQ(recoveryChannel(journal, recording, store), chosen);
  }
}

}  // namespace
}  // namespace kelvor
