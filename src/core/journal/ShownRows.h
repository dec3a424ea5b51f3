// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/Clock.h"
#include "core/journal/JournalFormat.h"
#include "core/scope/TraceStore.h"

namespace kelvor {

// The samples of all channels from `from` to `to` seconds (both included) as a journal in
// the given style: a row per sample in time order (channel 1 to 6 for stores 0 to 5), its time
// of day `start` plus its time, a gap as an invalid reading. Units, modes and the meter's
// characters are not kept in a store, so those fields stay empty.
std::string shownRows(const TraceStore& store, double from, double to, const WallTime& start,
                      JournalStyle style);

}  // namespace kelvor
