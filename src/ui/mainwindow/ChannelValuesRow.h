// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/acquisition/MeterState.h"
#include "core/calc/CalculatedChannel.h"

namespace kelvor {

struct ChannelValueCells;

// The row of channel values under the plot's captions (lblChannelValue1 to 6): while more than
// one channel is bound, each bound channel's latest value in its plot colour; a meter that does
// not answer keeps its last value, dimmed, with its condition below it. With one channel bound
// at most the row is hidden and takes no room, so a one-meter window looks as it always did.
class ChannelValuesRow {
 public:
  static constexpr int Channels = 6;

  explicit ChannelValuesRow(const ChannelValueCells& cells) : cells_(cells) {}

  // Which channels are bound to a meter or a calculation, channel 1 first; a channel bound
  // anew shows "–" until its first value. True when the row appeared, vanished or changed its
  // number of cells: the window must then be laid out again, for the plot gives or takes the
  // row's room.
  bool setBound(const std::vector<bool>& bound);
  // A meter's channel (from 0) at a tick: its reading, if it gave one, and its condition;
  // `family`: the protocol family it is read as.
  void showMeter(int channel, const std::optional<ChannelReading>& reading,
                 MeterCondition condition, const std::string& family = {});
  // A calculated channel (from 0) at a tick: its value, "–" without one.
  void showCalculated(int channel, const std::optional<ChannelReading>& reading);

  // The room the row takes under the plot's captions, in points; 0 while it is hidden.
  static double height(const ChannelValueCells& cells);
  // Lays the bound channels' cells side by side in equal shares of `width` points.
  static void place(const ChannelValueCells& cells, double left, double top, double width);

 private:
  void show(int channel, const std::string& value, MeterCondition condition,
            const std::string& family = {});

  const ChannelValueCells& cells_;
  std::array<std::string, Channels> lastValue_;  // kept for a meter that stops answering
};

}  // namespace kelvor
