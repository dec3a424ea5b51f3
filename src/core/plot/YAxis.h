// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "core/plot/ScaleParams.h"

namespace kelvor {

// The fractional part x - trunc(x), keeping the sign of x, rounded to a single float.
float fractionalPart(double x);
// The larger of two single floats (y when they are equal or unordered).
float maxi(float x, float y);

// What the Y axis reads: the range, the plot's size and the labels it has to fit around.
// Positions are in points in the main window's coordinates.
struct YAxisInput {
  float YMin = 0.0f;
  float YMax = 0.0f;
  int H = 0;             // inner height of the plot, rounded to whole points
  float Hout = 0.0f;     // outer height of the plot, border included
  double plotTop = 0.0;  // outer top of the plot
  char decimalSeparator = ',';
  double firstValueLabelHeight = 0.0;  // height of Y label 0 (all Y labels share it)
  double firstValueLabelTop = 0.0;  // current top of Y label 0, kept when no grid line gets a label
  double firstTimeLabelTop = 0.0;   // top of the time-label row, as the time axis placed it
};

// One Y label. Only visible labels are placed: a hidden label keeps its old top and caption.
struct YAxisLabel {
  double top = 0.0;
  std::string caption;
  bool visible = false;
};

// The vertical scale: grid line j lies YOffsetPixels + j * YDivPixels above the bottom
// edge and stands for YBase + j * step; a value v lies at row
// (H - YOffsetPixels) - (v - YBase) * H / YSpan.
struct YAxisLayout {
  bool computed = false;  // false for an empty range: nothing is to be changed
  float step = 0.0f;
  int YDivPixels = 0;
  int YOffsetPixels = 0;
  float YBase = 0.0f;
  float YSpan = 0.0f;
  std::string labelPattern;  // "0.00", "0.0" or "###0"
  std::array<YAxisLabel, 101> valueLabels{};
  bool hideTimeLabel0 = false;  // the lowest Y label reaches into the time-label row

  // Copies the scale into params; does nothing when nothing was computed.
  void applyTo(ScaleParams& params) const;
};

// Chooses the grid step, the grid spacing in whole points and the Y labels for the range
// YMin..YMax on a plot of the given height. Nothing is computed when YMin == YMax.
// A plot too low for even one point per division gets YDivPixels = 1 (never 0).
YAxisLayout setValueAxis(const YAxisInput& input);

}  // namespace kelvor
