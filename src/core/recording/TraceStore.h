// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/recording/MinMaxSummary.h"

namespace kelvor {

// The six channels' samples: for each channel a count and the slots 1..lastSlot() with a
// value and a time (seconds since the channel's recording start). Slots above the count hold
// stale data that nobody reads. Each channel keeps a summary of its values and whether its
// times run forward, so a plot can be drawn without visiting every sample.
class TraceStore {
 public:
  static constexpr int Channels = 6;
  static constexpr int LastSlot = 16000;      // the live store's size: highest slot a load may fill
  static constexpr int LiveCapacity = 15998;  // live recording fills at most this many

  // Room for the live store's slots at once; a larger store grows as its slots are written.
  explicit TraceStore(int lastSlot = LastSlot);

  int lastSlot() const { return lastSlot_; }
  int count(int channel) const { return counts_[index(channel)]; }
  // Sets the count; slots keep their contents (emptying a channel does not wipe it). The
  // summary follows.
  void setCount(int channel, int count);

  float value(int channel, int slot) const { return values_[index(channel)][index(slot)]; }
  float time(int channel, int slot) const { return times_[index(channel)][index(slot)]; }
  // Writes slot 1..lastSlot().
  void setSample(int channel, int slot, float value, float time);

  void clearAll();  // all counts to 0
  // A store that filled up goes on at half the detail: slots 1, 3, 5, ... become 1, 2, 3, ...
  // (the first sample stays first) and the count halves, rounded up.
  void keepEveryOther(int channel);

  // The unit of the channel's newest sample as its source gave it ("mV", "W"); empty where
  // it is not known (a trace file).
  const std::string& unit(int channel) const { return units_[index(channel)]; }
  void setUnit(int channel, const std::string& unit) { units_[index(channel)] = unit; }

  // The channel's values and times by slot (slot 0 unused), valid up to the count.
  const float* values(int channel) const { return values_[index(channel)].data(); }
  const float* times(int channel) const { return times_[index(channel)].data(); }
  // The summary of the values from slot 1 on (its sample k is slot k + 1); it covers the count
  // unless a slot was rewritten since the count was last set.
  const MinMaxSummary& summary(int channel) const { return summaries_[index(channel)]; }
  // Whether the times of slots 1..count are finite and never decrease.
  bool timesInOrder(int channel) const { return ordered_[index(channel)] >= count(channel); }

 private:
  static std::size_t index(int i) { return static_cast<std::size_t>(i); }
  void makeRoom(int channel, int slot);

  int lastSlot_;
  std::array<int, Channels> counts_{};
  std::array<std::vector<float>, Channels> values_;
  std::array<std::vector<float>, Channels> times_;
  std::array<MinMaxSummary, Channels> summaries_;
  std::array<int, Channels> ordered_{};  // slots from 1 on known to be in time order
  std::array<std::string, Channels> units_;
};

}  // namespace kelvor
