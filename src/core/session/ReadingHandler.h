// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/Clock.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/MeterFrame.h"
#include "core/scope/Recording.h"

namespace kelvor {

// What shows a reading and the recording's automatic scaling; a program without a window
// shows none of it.
class ReadingView {
 public:
  virtual ~ReadingView() = default;
  virtual void showValue(const std::string&) {}        // the large display
  virtual void showMode(const std::string&) {}         // mode or unit
  virtual void showCurrentTime(const std::string&) {}  // time of the last reading
  virtual void showStartTime(const std::string&) {}    // start of the recording
  virtual void showRunTime(const std::string&) {}      // running time of the recording
  virtual void showAutoScale(bool) {}                  // without raising a handler
};

// What a reading hands on to the trace store, the plot, the ranges and the alarm.
class ReadingHooks {
 public:
  virtual ~ReadingHooks() = default;
  // A recording has just started: the active channel's earlier samples are discarded and
  // the first drawn reading is stored at once.
  virtual void recordingStarted() = 0;
  // A usable reading while recording: draw it and store it when due.
  virtual void DrawToScope() = 0;
  // Widen the Y range to take in [min, max] (automatic scaling is on).
  virtual void AutoRangeY(float min, float max) = 0;
  // A usable reading, recording or not: test it against the alarm condition.
  virtual void testAlarm(float value) = 0;
  // Any reading while recording, usable or not: `answer` as the meter sent it.
  virtual void readingDecoded(const std::string& answer, const DecodedFrame& reading) = 0;
};

// Turns one complete answer of the meter into the current reading: decodes it, shows it,
// starts a pending recording, and hands a usable value on to drawing, ranging and alarm.
class ReadingHandler {
 public:
  ReadingHandler(Recording& recording, const Clock& clock, ReadingView& view, ReadingHooks& hooks,
                 char decimalSeparator);

  // Removes the carriage returns from `answer` as a side effect.
  void Messung(std::string& answer);
  // The same for an answer or frame of the given family.
  void Messung(std::string& answer, const MeterFamily& family);

  void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }

 private:
  void startRecording(const Moment& now);

  Recording& recording_;
  const Clock& clock_;
  ReadingView& view_;
  ReadingHooks& hooks_;
  char decimalSeparator_;
};

}  // namespace kelvor
