// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/calc/CalculatedChannel.h"
#include "core/journal/JournalFormat.h"
#include "core/text/Message.h"

namespace kelvor {

// What one channel is bound to, as far as calculations care: a meter or other source
// (`bound` without a calculation), a calculation, or nothing.
struct ChannelPlan {
  bool bound = false;
  std::optional<Calculation> calculation;
};

// Why the calculations of a plan cannot all be made: `channel` (from 1) reads `source`, a
// channel that does not exist or is bound to nothing; or, with `source` 0, it depends on
// itself, directly or through others. `channel` 0: nothing is wrong.
struct PlanProblem {
  int channel = 0;
  int source = 0;
};
PlanProblem checkPlan(const std::vector<ChannelPlan>& plan);
Message planMessage(const PlanProblem& problem, const std::vector<ChannelPlan>& plan);

// The readings of one tick, channel 1 first; nothing where a channel has no reading, and a
// value that is no finite number where a calculation has none (a division by zero).
using TickReadings = std::vector<std::optional<ChannelReading>>;

// The calculated channels of a plan, worked out tick by tick in an order where each one's
// sources come first. A channel that checkPlan finds fault with never gets a value.
class ChannelCalculator {
 public:
  explicit ChannelCalculator(const std::vector<ChannelPlan>& plan);

  // Sets the calculated channels' entries of `readings` (one entry a channel of the plan).
  void onTick(std::int64_t tickMs, TickReadings& readings);
  // A new recording: every integral starts again from zero.
  void reset();

 private:
  struct Entry {
    int index;  // from 0
    CalculatedChannel channel;
  };
  std::vector<Entry> ordered_;
};

// The journal row of a calculated value: the calculation in the mode column, nothing raw.
// Time and elapsed time are the caller's.
JournalRow journalRowOf(const Calculation& calculation, const ChannelReading& reading, int channel);

}  // namespace kelvor
