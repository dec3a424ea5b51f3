// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/session/MeterGroup.h"
#include "platform/JournalWriter.h"
#include "platform/MeterConnection.h"
#include "platform/QtTimer.h"

namespace kelvor {

// A meter group on the event loop's timers, its calculated journal in the recordings folder.
class MeterGroupConnection {
 public:
  MeterGroupConnection(std::vector<ChannelPlan> plan, char decimalSeparator, const Clock& clock);

  MeterGroup& group() { return group_; }
  // `meter` (not owned, alive until the group goes) feeds `channel` (from 1), polled on the
  // group's tick.
  void addMeter(MeterConnection& meter, int channel);
  // The program ends: ends the calculated journal; false when its disk stalled.
  bool endJournal();
  // The calculated journal open now ("" without one).
  std::string journalPath() const { return journal_.path(); }

 private:
  QtTimer tick_;
  QtTimer finish_;
  JournalWriter journal_;  // the file work, away from the event loop
  MeterGroup group_;
};

}  // namespace kelvor
