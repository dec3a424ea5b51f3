// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recording/ChannelStats.h"

#include <algorithm>

#include "core/InvalidValue.h"
#include "core/text/NumberFormat.h"

namespace kelvor {

ChannelStats channelStats(const TraceStore& store, int channel) {
  ChannelStats stats;
  const int samples = store.count(channel);
  if (samples == 0) return stats;
  stats.firstTime = store.time(channel, 1);
  stats.lastTime = store.time(channel, samples);
  double sum = 0.0;
  for (int slot = 1; slot <= samples; ++slot) {
    const float value = store.value(channel, slot);
    if (value == InvalidValue) {
      ++stats.gaps;
      continue;
    }
    stats.min = stats.count == 0 ? value : std::min(stats.min, value);
    stats.max = stats.count == 0 ? value : std::max(stats.max, value);
    sum += static_cast<double>(value);
    ++stats.count;
  }
  if (stats.count > 0) stats.mean = sum / stats.count;
  return stats;
}

Message channelStatsMessage(const ChannelStats& stats, char decimalSeparator) {
  if (stats.count + stats.gaps == 0) return Message(MessageId::NoSamples);
  const auto number = [decimalSeparator](auto value) {
    return formatGeneral(static_cast<double>(value), 7, decimalSeparator);
  };
  return Message(MessageId::ChannelStats, {std::to_string(stats.count), std::to_string(stats.gaps),
                                           number(stats.min), number(stats.max), number(stats.mean),
                                           number(stats.firstTime), number(stats.lastTime)});
}

}  // namespace kelvor
