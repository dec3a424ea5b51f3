// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// What draws a recording's traces as they grow: the plot.
class TraceView {
 public:
  virtual ~TraceView() = default;
  // A usable reading of `channel`, `seconds` after the recording's start, on its live line.
  // With automatic scaling it may widen the duration, and so the store interval, at once.
  virtual void drawReading(int channel, double seconds, float value) = 0;
  // The channel's next reading begins a new line (this one had no usable value).
  virtual void breakLine(int channel) = 0;
  // Widen the value range to take in [min, max] (automatic scaling is on).
  virtual void autoRangeValues(float min, float max) = 0;
  // The store changed otherwise than by a new sample: the picture shows it anew.
  virtual void redrawFromStore() = 0;
  // "Auto-scale" was switched on or off.
  virtual void autoScaleChanged() = 0;
  // The live picture begins at `seconds` (0, or before it for readings kept from before the
  // start) and shows the chosen duration from there.
  virtual void setLiveStart(double seconds) = 0;
};

}  // namespace kelvor
