// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/Clock.h"
#include "core/recording/Recording.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// What shows the recording's state besides the plot; a program without a window shows none.
class RecorderView {
 public:
  virtual ~RecorderView() = default;
  // Shows "drawing active" without raising its click handler.
  virtual void showActive(bool) {}
  virtual void showStartTime(const std::string&) {}
  virtual void showCurrentTime(const std::string&) {}
  virtual void showRunTime(const std::string&) {}
  virtual void showAlarmTime(const std::string&) {}
  // Colour of the reading display (0xRRGGBB): that of the active channel.
  virtual void setReadingColor(std::uint32_t) {}
};

// The recording's commands on the trace store: the channel buttons, "drawing active" and
// reset.
class Recorder {
 public:
  Recorder(Recording& recording, TraceStore& store, const Clock& clock, RecorderView& view);

  // Switches "drawing active" on (the next tick starts a recording) or off (the
  // recording ends).
  void setActive(bool active);
  // Ends the recording, as the user's untick does.
  void stop() { setActive(false); }
  // A channel was chosen: it becomes active and is emptied.
  void chooseChannel(int index);
  // Ends any recording and empties all channels; the picture stays.
  void reset();

 private:
  Recording& recording_;
  TraceStore& store_;
  const Clock& clock_;
  RecorderView& view_;
};

}  // namespace kelvor
