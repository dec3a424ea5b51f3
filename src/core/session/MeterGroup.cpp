// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/MeterGroup.h"

#include <algorithm>

namespace kelvor {

// One meter of the group and its reading of the tick that went out last.
struct MeterGroup::Member : ReadingListener {
  Member(MeterGroup& owner, MeterSession& session, int channelNumber)
      : group(owner), meter(session), channel(channelNumber) {}
  void readingRecorded(const JournalRow&, bool) override { recorded = true; }
  void readingTaken(float value, const std::string& unit) override {
    group.readingTaken(*this, value, unit);
  }

  MeterGroup& group;
  MeterSession& meter;
  int channel;  // from 1
  std::optional<ChannelReading> reading;
  bool answered = false;
  bool recorded = false;  // its reading went to its journal
};

MeterGroup::MeterGroup(std::vector<ChannelPlan> plan, char decimalSeparator, const Devices& devices)
    : plan_(std::move(plan)), devices_(devices) {
  const bool calculates = std::any_of(
      plan_.begin(), plan_.end(), [](const ChannelPlan& channel) { return channel.calculation; });
  if (calculates) {
    calculator_.emplace(plan_);
    journal_.emplace(decimalSeparator, devices.calculatedJournal,
                     [this](const JournalFault& fault) { reportJournalFault(fault); });
  }
  devices_.tick.setInterval(TickIntervalMs);
  devices_.finish.setInterval(0);
}

// The meters outlive their group (a window binds its channels anew).
MeterGroup::~MeterGroup() {
  for (auto& member : members_) member->meter.removeListener(member.get());
}

void MeterGroup::addMeter(MeterSession& meter, int channel) {
  if (channel > static_cast<int>(plan_.size())) plan_.resize(channel, ChannelPlan{true, {}});
  members_.push_back(std::make_unique<Member>(*this, meter, channel));
  meter.addListener(members_.back().get());
}

void MeterGroup::setJournalEnabled(bool on) {
  if (journal_) journal_->setEnabled(on);
}

void MeterGroup::start() {
  running_ = true;
  devices_.tick.setEnabled(true);
}

void MeterGroup::stop() {
  running_ = false;
  devices_.tick.setEnabled(false);
  finishTick();
}

void MeterGroup::reset() {
  if (calculator_) calculator_->reset();
  endJournal();
  start_.reset();
}

void MeterGroup::endJournal() {
  if (journal_) journal_->finish();
}

bool MeterGroup::recording() const {
  return std::any_of(members_.begin(), members_.end(),
                     [](const auto& member) { return member->meter.journal().recording(); });
}

void MeterGroup::onTick() {
  finishTick();  // the tick before, with the readings that came
  if (!running_) return;
  tick_ = devices_.clock.moment();
  finished_ = false;
  if (!start_ || !recording()) {
    start_ = tick_;
    if (calculator_) calculator_->reset();
    for (auto& member : members_) member->meter.journal().nameNextBy(tick_.wall);
  }
  for (auto& member : members_) {
    member->reading.reset();
    member->answered = false;
    member->recorded = false;
    member->meter.onPollTick();
  }
  for (TickListener* listener : listeners_) listener->tickStarted(tick_);
}

void MeterGroup::readingTaken(Member& member, float value, const std::string& unit) {
  if (finished_) return;
  member.answered = true;
  member.reading.reset();
  if (value != InvalidValue) member.reading = ChannelReading{static_cast<double>(value), unit};
  const bool all = std::all_of(members_.begin(), members_.end(),
                               [](const auto& each) { return each->answered; });
  // Done once the answer is handled, between two events.
  if (all) devices_.finish.setEnabled(true);
}

void MeterGroup::onFinishTick() {
  devices_.finish.setEnabled(false);
  finishTick();
}

void MeterGroup::finishTick() {
  if (finished_) return;
  finished_ = true;
  TickReadings readings(plan_.size());
  for (const auto& member : members_) readings[member->channel - 1] = member->reading;
  if (calculator_) {
    calculator_->onTick(tick_.steadyMs, readings);
    std::vector<JournalRow> rows;
    for (std::size_t i = 0; i < readings.size(); ++i) {
      const std::optional<Calculation>& calculation = plan_[i].calculation;
      if (!calculation || !readings[i]) continue;
      rows.push_back(journalRowOf(*calculation, *readings[i], static_cast<int>(i) + 1));
      rows.back().time = tick_.wall;
      rows.back().elapsedMs = tick_.steadyMs - start_->steadyMs;
    }
    // Journalled as the meters' readings are: while drawing is active.
    const bool recorded = std::any_of(members_.begin(), members_.end(),
                                      [](const auto& member) { return member->recorded; });
    if (recorded && !rows.empty()) {
      journal_->write(rows, tick_, *start_);
      for (TickListener* listener : listeners_) listener->calculationsRecorded(rows);
    }
  }
  for (TickListener* listener : listeners_) listener->tickDone(tick_, readings);
}

}  // namespace kelvor
