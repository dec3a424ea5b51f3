// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/LiveRecording.h"
#include "core/InvalidValue.h"

#include <algorithm>
#include <cmath>

#include "core/text/TimeText.h"

namespace kelvor {

LiveRecording::LiveRecording(const Clock& clock, AlarmSound& sound, const Views& views)
    : clock_(clock),
      readingView_(views.reading ? *views.reading : noReadingView_),
      recorderView_(views.recorder ? *views.recorder : noRecorderView_),
      display_(readingView_, recorderView_),
      recorder_(recording_, traces_, clock_, recorderView_),
      alarm_(sound) {
  recording_.addListener(&display_);
  recording_.addListener(this);
}

LiveRecording::~LiveRecording() = default;

void LiveRecording::attachGroup(MeterGroup* group, std::vector<int> channels) {
  gate_.reset();  // it holds the meters of the group before; a waiting start waits anew
  group_ = group;
  channels_ = std::move(channels);
  if (group_) group_->setRecording(state().running());
}

void LiveRecording::setAutoScale(bool on) {
  recording_.setAutoScale(on);
  if (plot_) plot_->autoScaleChanged();
}

void LiveRecording::reset() {
  recorder_.reset();
  redrawFromStore();
}

void LiveRecording::chooseChannel(int channel) {
  recorder_.chooseChannel(channel);
  if (channels_.size() <= 1) channels_.assign(1, channel);
  redrawFromStore();
}

void LiveRecording::redrawFromStore() {
  // The picture shows what the store holds: a trace that left the store leaves the picture.
  if (plot_) plot_->redrawFromStore();
}

void LiveRecording::schedule(std::optional<RecordingRules> rules, int preTriggerS) {
  rules_ = std::move(rules);
  preTriggerS_ = preTriggerS;
  if (gate_ && gate_->rules().waiting()) gate_.reset();  // the next tick waits anew
}

std::optional<Message> LiveRecording::waitingText() const {
  if (!state().startPending() || !rules_ || !group_) return std::nullopt;
  return gate_ ? gate_->rules().waitingText() : rules_->waitingText();
}

void LiveRecording::recordingChanged(RecordingChange change, const RecordingState& state) {
  if (change == RecordingChange::Replaying || change == RecordingChange::Restored) return;
  // Switched off or reset: a waiting or running schedule ends with it.
  if (!state.active() && !state.running()) gate_.reset();
  if (group_) group_->setRecording(state.running());
  if (change == RecordingChange::Cleared && group_) group_->reset();  // every journal ends
  if (change == RecordingChange::Cleared && plot_) plot_->setLiveStart(0);
  if (change != RecordingChange::Started) return;
  // A new recording: the channels' earlier samples go, and its first tick is stored at once.
  for (const int channel : channels_) traces_.setCount(channel, 0);
  if (plot_) plot_->setLiveStart(0);
  thinning_ = 1;
  ticks_ = storeInterval() - 1;
  redrawFromStore();
}

// The recording runs from the tick whose polls just went out, so its answers are journalled;
// its start is shown with the tick's readings.
void LiveRecording::tickStarted(const Moment& tick) {
  if (!state().startPending()) return;
  if (rules_ && group_) {
    if (!gate_) {
      gate_ = std::make_unique<RecordingGate>(*group_, *rules_, preTriggerS_, watched_);
      gate_->onChange([this](RecordingGate::Change change) { gateChanges_.push_back(change); });
    }
    return;
  }
  recording_.beginRun(tick);
  startToShow_ = true;
}

bool LiveRecording::passToGate(const Moment& tick, const TickReadings& readings) {
  gateChanges_.clear();
  gate_->tickDone(tick, readings);
  bool stop = false;
  for (const RecordingGate::Change change : gateChanges_) {
    if (change == RecordingGate::Change::Stopped) {
      stop = true;
      continue;
    }
    recording_.beginRun(tick);
    startToShow_ = true;
    takePreTrigger(gate_->startRows());
  }
  return stop;
}

void LiveRecording::takePreTrigger(const std::vector<JournalRow>& rows) {
  const auto recorded = [this](const JournalRow& row) {
    return row.elapsedMs < 0 && row.value != InvalidValue &&
           std::find(channels_.begin(), channels_.end(), row.channel - 1) != channels_.end();
  };
  std::int64_t earliest = 0;
  for (const JournalRow& row : rows)
    if (recorded(row)) earliest = std::min(earliest, wholeSeconds(row.elapsedMs));
  // The picture begins with the earliest; the trigger's tick stays at time 0.
  if (plot_) plot_->setLiveStart(static_cast<double>(earliest));
  for (const JournalRow& row : rows) {
    if (!recorded(row)) continue;
    const std::int64_t seconds = wholeSeconds(row.elapsedMs);
    if (plot_) plot_->drawReading(row.channel - 1, static_cast<double>(seconds), row.value);
    takeValue(row.channel - 1, seconds, row.value, row.unit, true);
  }
  ticks_ = storeInterval() - 1;  // the trigger's tick is stored
}

void LiveRecording::tickDone(const Moment& tick, const TickReadings& readings) {
  const bool stopByRule = gate_ && passToGate(tick, readings);
  const auto usable = [&readings](int channel) -> const ChannelReading* {
    const auto index = static_cast<std::size_t>(channel);
    if (index >= readings.size() || !readings[index] || !std::isfinite(readings[index]->value))
      return nullptr;
    return &*readings[index];
  };
  bool anyReading = false;
  for (const int channel : channels_) {
    const MeterReading* answer = group_ ? group_->readingOf(channel) : nullptr;
    anyReading = anyReading || answer || usable(channel);
    // A meter's answer without a value breaks its line.
    if (answer && answer->value == InvalidValue && plot_) plot_->breakLine(channel);
  }
  if (anyReading) readingView_.showCurrentTime(timeOfDayText(tick.wall.local()));
  if (const MeterReading* answer = group_ ? group_->readingOf(watched_) : nullptr)
    recording_.takeReading(answer->value, answer->unit);
  else if (const ChannelReading* value = usable(watched_))
    recording_.takeReading(static_cast<float>(value->value), value->unit);

  if (startToShow_ && state().running() && state().startTime()) {
    readingView_.showStartTime(timeOfDayText(state().startTime()->wall.local()));
    readingView_.showRunTime("00:00:00");
  }
  startToShow_ = false;
  if (state().running() && state().startTime()) {
    const std::int64_t seconds = wholeSeconds(tick.steadyMs - state().startTime()->steadyMs);
    std::vector<std::pair<int, ChannelReading>> values;
    for (const int channel : channels_)
      if (const ChannelReading* value = usable(channel)) values.emplace_back(channel, *value);
    if (!values.empty()) readingView_.showRunTime(elapsedText(seconds));
    // Drawing first: with automatic scaling it may lengthen the duration and so the interval.
    if (plot_)
      for (const auto& [channel, value] : values)
        plot_->drawReading(channel, static_cast<double>(seconds), static_cast<float>(value.value));
    const bool store = ++ticks_ >= storeInterval();
    if (store) ticks_ = 0;
    for (const auto& [channel, value] : values)
      takeValue(channel, seconds, static_cast<float>(value.value), value.unit, store);
  }
  testAlarm(readings);
  if (stopByRule) {
    gate_.reset();
    recording_.setActive(false, tick);
  }
}

void LiveRecording::takeValue(int channel, std::int64_t seconds, float value,
                              const std::string& unit, bool store) {
  if (store) {
    if (traces_.count(channel) >= TraceStore::LiveCapacity) thin();
    const int n = traces_.count(channel) + 1;
    traces_.setSample(channel, n, value, static_cast<float>(seconds));
    traces_.setUnit(channel, unit);
    traces_.setCount(channel, n);  // the count last: the sample is complete
  }
  if (state().autoScale() && plot_) plot_->autoRangeValues(value, value);
}

void LiveRecording::thin() {
  for (const int channel : channels_) traces_.keepEveryOther(channel);
  thinning_ *= 2;
}

void LiveRecording::testAlarm(const TickReadings& readings) {
  const auto index = static_cast<std::size_t>(watched_);
  if (index < readings.size() && readings[index] && std::isfinite(readings[index]->value)) {
    alarm_.testAlarm(static_cast<float>(readings[index]->value), clock_, recording_);
    alarmed_ = alarm_.alarmed();
  } else if (group_ && group_->readingOf(watched_)) {
    alarmed_ = false;  // an answer without a value ends a shown alarm
  }
}

void LiveRecording::replay(const std::vector<JournalRow>& rows, int channel) {
  const RecordingState live = state();
  const int liveTicks = ticks_;
  const int liveThinning = thinning_;
  recording_.startReplay(channel, clock_.moment());
  traces_.setCount(channel, 0);
  thinning_ = 1;
  ticks_ = storeInterval() - 1;
  redrawFromStore();
  for (const JournalRow& row : rows) {
    if (traces_.count(channel) >= TraceStore::LiveCapacity) break;
    if (row.value == InvalidValue) {  // a value's absence breaks the line
      if (plot_) plot_->breakLine(channel);
      continue;
    }
    const std::int64_t seconds = wholeSeconds(row.elapsedMs);
    if (plot_) plot_->drawReading(channel, static_cast<double>(seconds), row.value);
    const bool store = ++ticks_ >= storeInterval();
    if (store) ticks_ = 0;
    takeValue(channel, seconds, row.value, row.unit, store);
  }
  ticks_ = liveTicks;
  thinning_ = liveThinning;
  recording_.restore(live);
}

}  // namespace kelvor
