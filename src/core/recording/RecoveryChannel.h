// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recording/TraceStore.h"

namespace kelvor {

// The channel (0 to 5) that a recovered journal of `journalChannel` is loaded into, so that
// it neither empties the channel that records (`recordingChannel`) nor replaces a trace:
// its own channel when that is neither, otherwise the first empty channel that does not
// record. With no such channel left, its own channel unless that one records, then the one
// after the recording channel.
int recoveryChannel(int journalChannel, int recordingChannel, const TraceStore& store);

}  // namespace kelvor
