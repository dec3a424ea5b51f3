// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

#include "core/session/MeterGroup.h"
#include "core/session/PreTriggerBuffer.h"
#include "core/session/RecordingRules.h"

namespace kelvor {

// Starts and stops a group's recording by its start and stop rules. While the start waits,
// the meters are polled as usual but not journalled, and their rows of the last pre-trigger
// seconds are kept; the tick the start fires on begins each meter's journal with them (the
// trigger tick's moment as elapsed time 0, the rows before it negative), and the tick the
// stop fires on ends the journalling. Each fires once.
class RecordingGate : public MeterGroup::TickListener {
 public:
  enum class Change { Started, Stopped };
  using ChangeHandler = std::function<void(Change)>;

  // `watched` is the channel (from 0) the conditions test. The owner hands on the group's
  // ticks (or adds the gate to its listeners).
  RecordingGate(MeterGroup& group, const RecordingRules& rules, int preTriggerS, int watched);
  ~RecordingGate() override;
  RecordingGate(const RecordingGate&) = delete;
  RecordingGate& operator=(const RecordingGate&) = delete;

  void onChange(ChangeHandler handler) { onChange_ = std::move(handler); }
  const RecordingRules& rules() const { return rules_; }
  // The rows the start began the journals with, every channel's, the trigger tick's own
  // among them (elapsed time 0).
  const std::vector<JournalRow>& startRows() const { return startRows_; }

  void tickDone(const Moment& tick, const TickReadings& readings) override;

 private:
  void tell(Change change) const {
    if (onChange_) onChange_(change);
  }

  MeterGroup& group_;
  std::vector<MeterReader*> meters_;
  RecordingRules rules_;
  PreTriggerBuffer held_;
  std::vector<JournalRow> startRows_;
  int watched_;
  ChangeHandler onChange_;
};

}  // namespace kelvor
