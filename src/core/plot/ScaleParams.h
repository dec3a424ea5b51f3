// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// The scale of the plot, set by the time axis and the Y axis and read by every drawing.
struct ScaleParams {
  float SecondsAcross = 0.0f;  // seconds that the full width stands for
  double LeftTime = 0.0;       // seconds at the left edge: 0 unless the view was moved
  int XDivPixels = 0;          // width of one time division (0: no time axis yet)
  int StoreInterval = 1;       // readings per stored sample
  int YDivPixels = 0;          // height of one Y division
  int YOffsetPixels = 0;       // lowest grid line above the bottom edge
  float YBase = 0.0f;          // value on the lowest grid line
  float YSpan = 0.0f;          // value range the full height stands for
};

}  // namespace kelvor
