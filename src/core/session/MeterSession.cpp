// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/MeterSession.h"

#include <algorithm>

#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/PortTable.h"
#include "core/scope/ScopeController.h"

namespace kelvor {

MeterSession::MeterSession(const PortConfig& config, const ConnectionState& connection,
                           const Devices& devices, const Views& views, char decimalSeparator)
    : config_(config),
      clock_(devices.clock),
      readingView_(views.reading ? *views.reading : noReadingView_),
      recorderView_(views.recorder ? *views.recorder : noRecorderView_),
      display_(readingView_, recorderView_),
      recorder_(recording_, traces_, clock_, recorderView_),
      alarm_(devices.sound),
      journal_(decimalSeparator),
      handler_(recording_, clock_, readingView_, *this, decimalSeparator),
      meterState_(devices.clock),
      cycle_(config, connection, devices.link, devices.readTimer, meterState_,
             [this](std::string& answer) { takeAnswer(answer); }) {
  recording_.addListener(&display_);
}

void MeterSession::removeListener(ReadingListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void MeterSession::attachPlot(ScopeController* plot) {
  if (plot_) recording_.removeListener(plot_);
  plot_ = plot;
  if (plot_) recording_.addListener(plot_);
}

void MeterSession::takeAnswer(std::string& answer) {
  recorded_.reset();
  firstAlarm_ = false;
  handler_.Messung(answer, familyFor(config_));
  // The alarm is tested only for a usable value; an unusable one ends a shown alarm.
  const bool own = !alarmElsewhere_;
  if (own) meterState_.alarmTested(state().currentValue() != InvalidValue && alarm_.alarmed());
  if (recorded_) {
    // The alarm is tested only for a usable value.
    const bool alarm = own && recorded_->value != InvalidValue && alarm_.alarmed();
    for (ReadingListener* listener : listeners_) listener->readingRecorded(*recorded_, alarm);
    if (firstAlarm_)
      for (ReadingListener* listener : listeners_) listener->firstAlarm(*recorded_);
  }
  for (ReadingListener* listener : listeners_)
    listener->readingTaken(state().currentValue(), state().currentUnit());
}

void MeterSession::setAutoScale(bool on) {
  recording_.setAutoScale(on);
  if (plot_) plot_->autoScaleChanged();
}

int MeterSession::storeInterval() const {
  return plot_->scale().StoreInterval;
}

void MeterSession::recordingStarted() {
  storeCounter_ = plot_ ? storeInterval() : 0;
  recorder_.recordingStarted();
  redrawFromStore();
}

void MeterSession::redrawFromStore() {
  // The picture shows what the store holds: a trace that left the store leaves the picture.
  if (plot_) plot_->FullReDraw(Rescale::Keep);
}

void MeterSession::chooseChannel(int index) {
  recorder_.chooseChannel(index);
  redrawFromStore();
}

void MeterSession::DrawToScope() {
  if (!plot_) return;
  // Drawing first: with automatic scaling it may lengthen the duration and so the interval.
  plot_->DrawToScope();
  ++storeCounter_;
  if (storeCounter_ >= storeInterval()) {
    recorder_.SaveMesswert();
    storeCounter_ = 0;
  }
}

void MeterSession::AutoRangeY(float min, float max) {
  if (plot_) plot_->AutoRangeY(min, max);
}

void MeterSession::testAlarm(float value) {
  if (alarmElsewhere_) return;
  firstAlarm_ = alarm_.testAlarm(value, clock_, recording_);
}

void MeterSession::testWatchedValue(float value) {
  alarm_.testAlarm(value, clock_, recording_);
  meterState_.alarmTested(alarm_.alarmed());
}

void MeterSession::replay(const std::vector<JournalRow>& rows, int channel) {
  const RecordingState live = state();
  const int liveCounter = storeCounter_;
  const Moment start = clock_.moment();
  recording_.startReplay(channel, start);
  recordingStarted();
  for (const JournalRow& row : rows) {
    if (traces_.count(channel) >= TraceStore::LiveCapacity) break;
    clock_.replayAt(start.steadyMs + row.elapsedMs);
    recording_.takeReading(row.value, row.unit);  // a value's absence breaks the line
    if (row.value == InvalidValue) continue;
    DrawToScope();
    if (live.autoScale()) AutoRangeY(row.value, row.value);
  }
  clock_.replayAt(std::nullopt);
  storeCounter_ = liveCounter;
  recording_.restore(live);
}

void MeterSession::reset() {
  recorder_.reset();
  journal_.end();
  redrawFromStore();
}

void MeterSession::readingDecoded(const std::string& answer, const DecodedFrame& reading) {
  recorded_ = journal_.record(answer, reading, state().activeChannel(), meterName(config_),
                              clock_.moment());
}

}  // namespace kelvor
