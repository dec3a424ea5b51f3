// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "core/session/MeterGroup.h"
#include "ui/mainwindow/ChannelValueCells.h"
#include "ui/mainwindow/ChannelValuesRow.h"

namespace kelvor {

class ChannelSources;
class RecorderView;
class ReadingView;

// What the window shows of its sources: with several, the row of every bound channel's
// latest value; in the large display, in its colour, the watched channel's reading.
class ChannelDisplay : public MeterGroup::TickListener {
 public:
  ChannelDisplay(const ChannelValueCells& cells, ChannelSources& sources, ReadingView& labels,
                 RecorderView& colour, char decimalSeparator);

  // The sources were bound anew; true when the window must be laid out again (the row came,
  // went or changed).
  bool bound();
  // The large display shows this channel (from 0) from now on.
  void watch(int channel);
  void tickDone(const Moment& tick, const TickReadings& readings) override;

 private:
  void showWatched();

  ChannelValuesRow row_;
  ChannelSources& sources_;
  ReadingView& labels_;
  RecorderView& colour_;
  char decimalSeparator_;
  TickReadings last_;
};

}  // namespace kelvor
