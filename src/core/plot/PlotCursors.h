// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "core/plot/PlotReadout.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// Two cursors on the time axis, in seconds since the recordings' start.
struct PlotCursors {
  std::optional<double> a;
  std::optional<double> b;
  bool any() const { return a || b; }
};

// What a channel holds at the cursors: its valid sample nearest to each in time, and the
// valid samples from the earlier cursor to the later one (both included). With both cursors
// set, the samples at them are taken from that range too, so that they lie within its minimum
// and maximum; a channel without a sample in the range has nothing to show.
struct ChannelBetween {
  int channel = 0;
  std::string unit;
  std::optional<float> atA;
  std::optional<float> atB;
  int count = 0;
  double min = 0;
  double max = 0;
  double mean = 0;
};

// Each channel with samples near the cursors or between them.
std::vector<ChannelBetween> channelsBetween(const TraceStore& store, const PlotCursors& cursors);

// The readout of the cursors: "A 00:01:40  B 00:02:40  Δt 00:01:00", then per channel in its
// colour the values at A and B, their difference ("Δ"), and the count, minimum, maximum and
// mean ("Ø") between them, each with the channel's unit as the window shows readings
// (unitValueText). With `start`, the cursors' times are times of day after that start.
std::vector<ReadoutLine> cursorLines(const TraceStore& store, const PlotCursors& cursors,
                                     char decimalSeparator,
                                     std::optional<LocalSeconds> start = std::nullopt);

}  // namespace kelvor
