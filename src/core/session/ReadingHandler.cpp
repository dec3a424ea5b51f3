// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/ReadingHandler.h"

#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/MeterFrame.h"

namespace kelvor {

ReadingHandler::ReadingHandler(RecordingState& state, const Clock& clock, ReadingView& view,
                               ReadingHooks& hooks, char decimalSeparator)
    : state_(state),
      clock_(clock),
      view_(view),
      hooks_(hooks),
      decimalSeparator_(decimalSeparator) {}

void ReadingHandler::Messung(std::string& answer) {
  Messung(answer, *familyNamed("single"));
}

void ReadingHandler::Messung(std::string& answer, const MeterFamily& family) {
  const std::string sent = answer;
  const std::optional<DecodedFrame> decoded = family.decode(answer, decimalSeparator_);
  // Only a streaming family refuses bytes, and its frames were found by decoding them.
  if (!decoded) return;
  const DecodedFrame& reading = *decoded;
  state_.CurrentValue = reading.value;
  state_.CurrentUnit = reading.unit;
  view_.showMode(reading.modeText);
  view_.showValue(reading.valueText);

  const Moment now = clock_.moment();
  view_.showCurrentTime(TimeStr(now.wall.local()));
  if (state_.StartPending) startRecording(now);
  if (state_.Running) hooks_.readingDecoded(sent, reading);

  if (state_.CurrentValue == InvalidValue) {
    // The live line must not be joined across a reading without a value.
    state_.clearPenPositions();
    return;
  }
  if (state_.Running) {
    view_.showRunTime(TimeStr(state_.runSeconds(clock_)));
    hooks_.DrawToScope();
    if (state_.AutoScale) hooks_.AutoRangeY(state_.CurrentValue, state_.CurrentValue);
  }
  hooks_.testAlarm(state_.CurrentValue);
}

void ReadingHandler::startRecording(const Moment& now) {
  state_.StartPending = false;
  state_.Running = true;
  state_.StartTime = now;
  view_.showStartTime(TimeStr(now.wall.local()));
  view_.showRunTime("00:00:00");
  hooks_.recordingStarted();
  state_.clearPenPositions();
}

}  // namespace kelvor
