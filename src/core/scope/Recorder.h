// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/Clock.h"
#include "core/scope/RecordingState.h"
#include "core/scope/TraceStore.h"

namespace kelvor {

// The controls a recording reads and writes besides the plot.
class RecorderView {
 public:
  virtual ~RecorderView() = default;
  virtual bool activeChecked() const = 0;
  // Sets "drawing active" without raising its click handler; the recorder runs that itself.
  virtual void setActiveChecked(bool checked) = 0;
  virtual void showStartTime(const std::string& text) = 0;
  virtual void showCurrentTime(const std::string& text) = 0;
  virtual void showRunTime(const std::string& text) = 0;
  virtual void showAlarmTime(const std::string& text) = 0;
  // Colour of the reading display (0xRRGGBB): that of the active channel.
  virtual void setReadingColor(std::uint32_t rgb) = 0;
};

// Recording into the trace store: the channel buttons, "drawing active", reset, and
// storing one reading as a sample.
class Recorder {
 public:
  Recorder(RecordingState& state, TraceStore& store, const Clock& clock, RecorderView& view);

  // "Drawing active" was checked or unchecked (by the user or from code).
  void drawingSwitched();
  // Unchecks "drawing active" and ends the recording, as the user's untick does.
  void stop() { setActiveFromCode(false); }
  // A channel was chosen: it becomes active and is emptied.
  void chooseChannel(int index);
  // Ends any recording and empties all channels; the picture stays.
  void reset();
  // Stores the current reading as the next sample of the active channel, or ends the
  // recording when the channel is full.
  void SaveMesswert();
  // The recording has just started: the active channel's earlier samples go.
  void recordingStarted();

 private:
  void setActiveFromCode(bool checked);
  void clearAlarmTime();

  RecordingState& state_;
  TraceStore& store_;
  const Clock& clock_;
  RecorderView& view_;
};

}  // namespace kelvor
