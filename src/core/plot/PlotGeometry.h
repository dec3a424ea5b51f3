// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

#include "core/plot/ScaleParams.h"
#include "core/plot/WholeNumbers.h"

namespace kelvor {

// "1/s": every reading or sample; "1/Spalte": at most one point per pixel column.
enum class DrawStyle { EveryReading = 0, OnePerColumn = 1 };

struct PlotPoint {
  int x = 0;
  int y = 0;
};

// The plot's place on its target (the screen's raster or a page), in the target's units:
// the top-left corner, the size and the height of the lowest grid line above the bottom.
struct PlotBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int yOffset = 0;
};

// Where a sample (t seconds, value v) lands in a plot box at a scale whose left edge stands for
// LeftTime: each coordinate taken
// times the target's units per box unit (device pixels per point on the screen, else 1) and
// rounded once to the nearest whole number (halves to even) within CoordinateLimit. Without a time
// scale (SecondsAcross not positive and finite) x is the left edge; without a value span (YSpan 0)
// y is the lowest grid line; a coordinate that is not a number becomes 0.
class SampleMapping {
 public:
  SampleMapping(const ScaleParams& scale, const PlotBox& box, double xPerUnit = 1.0,
                double yPerUnit = 1.0)
      : across_(static_cast<double>(scale.SecondsAcross)),
        timeScale_(across_ > 0.0 && std::isfinite(across_)),
        leftTime_(scale.LeftTime),
        left_(static_cast<double>(box.left)),
        width_(static_cast<double>(box.width)),
        height_(static_cast<double>(box.height)),
        bottomLine_(static_cast<double>(box.height) - static_cast<double>(box.yOffset) +
                    static_cast<double>(box.top)),
        base_(static_cast<double>(scale.YBase)),
        span_(static_cast<double>(scale.YSpan)),
        xPerUnit_(xPerUnit),
        yPerUnit_(yPerUnit) {}

  // The screen's plot of w x h points: its box starts at 0, 0 and takes the scale's offset.
  SampleMapping(const ScaleParams& scale, int w, int h, double xPerPoint, double yPerPoint)
      : SampleMapping(scale, PlotBox{0, 0, w, h, scale.YOffsetPixels}, xPerPoint, yPerPoint) {}

  int x(double t) const {
    return timeScale_ ? toCoordinate(((t - leftTime_) / across_ * width_ + left_) * xPerUnit_)
                      : leftX();
  }
  int y(double v) const {
    return span_ != 0 ? toCoordinate((bottomLine_ - (v - base_) * height_ / span_) * yPerUnit_)
                      : toCoordinate(bottomLine_ * yPerUnit_);
  }
  PlotPoint operator()(double t, double v) const { return {x(t), y(v)}; }

  // x of many samples in a loop of its own, so the processor overlaps their divisions.
  void xs(const double* t, int* x, int n) const {
    if (!timeScale_) {
      std::fill(x, x + n, leftX());
      return;
    }
    for (int k = 0; k < n; ++k) {
      x[k] = toCoordinate(((t[k] - leftTime_) / across_ * width_ + left_) * xPerUnit_);
    }
  }

 private:
  int leftX() const { return toCoordinate(left_ * xPerUnit_); }

  double across_;
  bool timeScale_;
  double leftTime_;
  double left_;
  double width_;
  double height_;
  double bottomLine_;
  double base_;
  double span_;
  double xPerUnit_;
  double yPerUnit_;
};

// Which samples of a trace are drawn: with EveryReading all; with OnePerColumn only a
// sample in a column right of the sample before it (drawn or not).
class ColumnThinning {
 public:
  explicit ColumnThinning(DrawStyle style, int lastX = 0)
      : every_(style == DrawStyle::EveryReading), lastX_(lastX) {}

  // Whether the sample in column x is drawn; it is the one before for the next.
  bool draws(int x) {
    const bool drawn = x > lastX_ || every_;
    lastX_ = x;
    return drawn;
  }
  int lastX() const { return lastX_; }

 private:
  bool every_;
  int lastX_;
};

}  // namespace kelvor
