// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/ReadingHandler.h"

#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/MeterFrame.h"

namespace kelvor {

ReadingHandler::ReadingHandler(Recording& recording, const Clock& clock, ReadingView& view,
                               ReadingHooks& hooks, char decimalSeparator)
    : recording_(recording),
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
  recording_.takeReading(reading.value, reading.unit);
  const RecordingState& state = recording_.state();
  view_.showMode(reading.modeText);
  view_.showValue(reading.valueText);

  const Moment now = clock_.moment();
  view_.showCurrentTime(TimeStr(now.wall.local()));
  if (state.startPending()) startRecording(now);
  if (state.running()) hooks_.readingDecoded(sent, reading);

  if (reading.value == InvalidValue) return;
  if (state.running()) {
    view_.showRunTime(DurationStr(state.runSeconds(clock_)));
    hooks_.DrawToScope();
    if (state.autoScale()) hooks_.AutoRangeY(reading.value, reading.value);
  }
  hooks_.testAlarm(reading.value);
}

void ReadingHandler::startRecording(const Moment& now) {
  recording_.beginRun(now);
  view_.showStartTime(TimeStr(now.wall.local()));
  view_.showRunTime("00:00:00");
  hooks_.recordingStarted();
}

}  // namespace kelvor
