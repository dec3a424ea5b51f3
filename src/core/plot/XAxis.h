// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "core/plot/ScaleParams.h"

namespace kelvor {

// How the tick labels show a time: minutes and seconds, or hours and minutes.
enum class TimeLabelMode { MinutesSeconds, HoursMinutes };

// What the time axis reads. Sizes and positions are in points, the plot's in the main
// window's coordinates.
struct XAxisInput {
  float measuringSpan = 0.0f;  // measurement duration in minutes; 0: none chosen yet
  float W = 0.0f;              // inner width of the plot
  float plotLeft = 0.0f;       // outer position and size of the plot
  float plotTop = 0.0f;
  float plotWidth = 0.0f;
  float plotHeight = 0.0f;
  float firstTimeLabelWidth = 0.0f;  // width of time label 0; every time label has it
  double startSeconds = 0;           // the time at the left edge, which label 0 shows
  char decimalSeparator = ',';
};

struct XAxisLabel {
  double left = 0.0;
  double top = 0.0;
  std::string caption;
  bool visible = false;
};

// The time scale: label i stands i * XDivPixels from the left edge for step * i minutes.
struct XAxisLayout {
  bool computed = false;  // false without a duration: nothing is to be changed
  int XDivPixels = 0;
  float SecondsAcross = 0.0f;  // seconds the full width stands for
  int StoreInterval = 1;       // whole seconds per point, at least 1
  float step = 0.0f;           // minutes per division
  TimeLabelMode mode = TimeLabelMode::MinutesSeconds;
  std::string timePerPixelText;    // time per point, e.g. "6,25s / Pixel"
  std::string timeUnitText;        // "t in min -->" or "t in h -->"
  double firstTimeLabelTop = 0.0;  // top of the time-label row
  double timePerPixelLeft = 0.0;
  double timePerPixelTop = 0.0;
  double timeUnitLeft = 0.0;
  double timeUnitTop = 0.0;
  std::array<XAxisLabel, 101> timeLabels{};

  // Copies the scale into params; does nothing when nothing was computed.
  void applyTo(ScaleParams& params) const;
};

// Chooses the time step and the division width in whole points for the duration on a plot
// of width W, and places and captions the axis texts. Nothing is computed for a duration
// of 0. A plot too narrow for a division of at least one point gets XDivPixels = 1.
XAxisLayout setTimeAxis(const XAxisInput& input);

// The time per point p (seconds) as shown below the plot: "6,25s / Pixel",
// "02:30min / Pixel" or "08:00h / Pixel".
std::string timePerPixelCaption(double p, char decimalSeparator);

// A tick time t (seconds) as "m:ss" or "h:mm"; "m:ss" shows only the minutes within the hour.
// Times before 0 have a minus sign.
std::string tickCaption(float t, TimeLabelMode mode);

}  // namespace kelvor
