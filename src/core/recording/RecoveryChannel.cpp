// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recording/RecoveryChannel.h"

namespace kelvor {

int recoveryChannel(int journalChannel, int recordingChannel, const TraceStore& store) {
  const auto free = [&](int channel) {
    return channel != recordingChannel && store.count(channel) == 0;
  };
  if (journalChannel >= 0 && journalChannel < TraceStore::Channels && free(journalChannel))
    return journalChannel;
  for (int channel = 0; channel < TraceStore::Channels; ++channel)
    if (free(channel)) return channel;
  if (journalChannel >= 0 && journalChannel < TraceStore::Channels &&
      journalChannel != recordingChannel)
    return journalChannel;
  return (recordingChannel + 1) % TraceStore::Channels;
}

}  // namespace kelvor
