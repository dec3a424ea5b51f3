#pragma once

#include <array>
#include <vector>

namespace kelvor {

// The six channels' samples: for each channel a count and the slots 1..16000 with a value
// and a time (seconds since the channel's recording start). Allocated once, never resized.
// Slots above the count hold stale data that nobody reads.
class TraceStore {
 public:
  static constexpr int Channels = 6;
  static constexpr int LastSlot = 16000;      // highest slot a load may fill
  static constexpr int LiveCapacity = 15998;  // live recording fills at most this many

  TraceStore();

  int count(int channel) const { return counts_[index(channel)]; }
  // Sets the count; slots keep their contents (emptying a channel does not wipe it).
  void setCount(int channel, int count);

  float value(int channel, int slot) const { return data_[at(channel, slot)]; }
  float time(int channel, int slot) const { return data_[at(channel, slot) + 1]; }
  // Writes slot 1..LastSlot.
  void setSample(int channel, int slot, float value, float time);

  void clearAll();  // all counts to 0

 private:
  static std::size_t index(int channel) { return static_cast<std::size_t>(channel); }
  static std::size_t at(int channel, int slot) {
    return (index(channel) * (LastSlot + 1) + static_cast<std::size_t>(slot)) * 2;
  }

  std::array<int, Channels> counts_{};
  std::vector<float> data_;
};

}  // namespace kelvor
