// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/MeterGroup.h"
#include "core/InvalidValue.h"

#include <algorithm>

namespace kelvor {

// One meter of the group and its reading of the tick that went out last.
struct MeterGroup::Member : ReadingListener {
  Member(MeterGroup& owner, MeterReader& reader, int channelNumber)
      : group(owner), meter(reader), channel(channelNumber) {}
  void readingTaken(const MeterReading& taken) override { group.readingTaken(*this, taken); }
  void readingRecorded(const JournalRow&) override { recorded = true; }

  MeterGroup& group;
  MeterReader& meter;
  int channel;  // from 1
  std::optional<MeterReading> answer;
  std::optional<ChannelReading> reading;
  bool recorded = false;  // its answer of the tick went to its journal
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

void MeterGroup::addMeter(MeterReader& meter, int channel) {
  if (channel > static_cast<int>(plan_.size())) plan_.resize(channel, ChannelPlan{true, {}});
  members_.push_back(std::make_unique<Member>(*this, meter, channel));
  meter.addListener(members_.back().get());
  meter.setChannel(channel - 1);
  meter.setRecording(recording_);
}

void MeterGroup::moveMeter(int channel) {
  if (members_.size() != 1) return;
  Member& member = *members_.front();
  if (channel > static_cast<int>(plan_.size())) plan_.resize(channel, ChannelPlan{false, {}});
  plan_[static_cast<std::size_t>(member.channel - 1)].bound = false;
  plan_[static_cast<std::size_t>(channel - 1)] = ChannelPlan{true, {}};
  member.channel = channel;
  member.meter.setChannel(channel - 1);
}

void MeterGroup::removeListener(TickListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

std::vector<MeterReader*> MeterGroup::meters() const {
  std::vector<MeterReader*> readers;
  for (const auto& member : members_) readers.push_back(&member->meter);
  return readers;
}

void MeterGroup::setRecording(bool on) {
  recording_ = on;
  for (auto& member : members_) member->meter.setRecording(on);
}

const MeterReading* MeterGroup::readingOf(int channel) const {
  for (const auto& member : members_)
    if (member->channel == channel + 1 && member->answer) return &*member->answer;
  return nullptr;
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
  for (auto& member : members_) member->meter.journal().end();
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

void MeterGroup::recordHeldCalculations(const std::vector<JournalRow>& rows) {
  if (!journal_ || rows.empty()) return;
  journal_->write(rows, tick_, *start_);
  for (TickListener* listener : listeners_) listener->calculationsRecorded(rows);
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
    member->answer.reset();
    member->reading.reset();
    member->recorded = false;
    member->meter.onPollTick();
  }
  for (TickListener* listener : listeners_) listener->tickStarted(tick_);
}

void MeterGroup::readingTaken(Member& member, const MeterReading& answer) {
  if (finished_) return;
  member.answer = answer;
  member.reading.reset();
  if (answer.value != InvalidValue)
    member.reading = ChannelReading{static_cast<double>(answer.value), answer.unit};
  const bool all = std::all_of(members_.begin(), members_.end(),
                               [](const auto& each) { return each->answer.has_value(); });
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
    // Journalled as the meters' readings are: while the group records.
    std::vector<JournalRow> rows;
    const bool recorded = std::any_of(members_.begin(), members_.end(),
                                      [](const auto& member) { return member->recorded; });
    const bool held = !recorded && holdCalculations_;
    for (std::size_t i = 0; (recorded || held) && i < readings.size(); ++i) {
      const std::optional<Calculation>& calculation = plan_[i].calculation;
      if (!calculation || !readings[i]) continue;
      JournalRow row = journalRowOf(*calculation, *readings[i], static_cast<int>(i) + 1);
      row.time = tick_.wall;
      row.elapsedMs = tick_.steadyMs - start_->steadyMs;
      rows.push_back(std::move(row));
    }
    if (held)
      for (JournalRow& row : rows) holdCalculations_(tick_.steadyMs, std::move(row));
    else
      recordHeldCalculations(rows);
  }
  for (TickListener* listener : listeners_) listener->tickDone(tick_, readings);
}

}  // namespace kelvor
