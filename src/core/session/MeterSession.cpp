#include "core/session/MeterSession.h"

#include "core/scope/ScopeController.h"

namespace kelvor {

MeterSession::MeterSession(const PortConfig& config, const ConnectionState& connection,
                           const Devices& devices, const Views& views, char decimalSeparator)
    : clock_(devices.clock),
      recorderView_(views.recorder),
      recorder_(recording_, traces_, devices.clock, views.recorder),
      alarm_(devices.sound),
      handler_(recording_, devices.clock, views.reading, *this, decimalSeparator),
      meterState_(devices.clock),
      cycle_(config, connection, devices.link, devices.readTimer, meterState_,
             [this](std::string& answer) { takeAnswer(answer); }) {}

int MeterSession::storeInterval() const {
  return plot_ ? plot_->scale().StoreInterval : 1;
}

void MeterSession::recordingStarted() {
  recording_.StoreCounter = storeInterval();
  recorder_.recordingStarted();
}

void MeterSession::DrawToScope() {
  // Drawing first: with automatic scaling it may lengthen the duration and so the interval.
  if (plot_) plot_->DrawToScope();
  ++recording_.StoreCounter;
  if (recording_.StoreCounter >= storeInterval()) {
    recorder_.SaveMesswert();
    recording_.StoreCounter = 0;
  }
}

void MeterSession::AutoRangeY(float min, float max) {
  if (plot_) plot_->AutoRangeY(min, max);
}

void MeterSession::testAlarm(float value) {
  if (alarm_.testAlarm(value, clock_.now(), recording_))
    recorderView_.showAlarmTime(recording_.AlarmTime);
}

}  // namespace kelvor
