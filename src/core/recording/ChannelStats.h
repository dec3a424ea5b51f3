// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recording/TraceStore.h"
#include "core/text/Message.h"

namespace kelvor {

// A channel's stored samples at a glance. Samples without a usable value are gaps: they
// count apart and take no part in minimum, maximum and mean; the time span covers them.
struct ChannelStats {
  int count = 0;  // samples with a value
  int gaps = 0;   // samples without one
  float min = 0.0f;
  float max = 0.0f;
  double mean = 0.0;
  float firstTime = 0.0f;  // seconds since the channel's recording start
  float lastTime = 0.0f;
};

ChannelStats channelStats(const TraceStore& store, int channel);

// The statistics as the channel's button tells them; an empty channel says so.
Message channelStatsMessage(const ChannelStats& stats, char decimalSeparator);

}  // namespace kelvor
