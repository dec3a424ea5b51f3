// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

#include "core/journal/JournalFormat.h"

class QWidget;

namespace kelvor {

// At start: each journal whose recording ended unexpectedly (a ".part" file that no program
// holds) is told once, with its start and its number of readings, and offered for loading
// into the channel that `channelFor` picks for the channel it was recorded in (0 to 5), named
// with its colour; either way it is then kept under its ".csv" name.
class JournalRecovery {
 public:
  using ChannelFor = std::function<int(int journalChannel)>;
  using Replay = std::function<void(const std::vector<JournalRow>& rows, int channel)>;
  static void offer(QWidget* parent, const ChannelFor& channelFor, const Replay& replay);
};

}  // namespace kelvor
