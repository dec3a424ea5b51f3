// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "core/plot/ScopeController.h"

namespace kelvor::testing {

// The plot area of the main window at its design size (465 x 299.25 points), with the picture
// at `pixelsPerPoint` device pixels per point (4/3 at 96 dpi).
inline PlotArea designPlotArea(double pixelsPerPoint = 4.0 / 3, int lineWidth = 1) {
  PlotArea area;
  area.outerWidth = std::floor(465 - area.left + 0.5);
  area.outerHeight = std::floor(299.25 - ScopeController::NonPlotHeight + 0.5);
  area.innerWidth = static_cast<int>(area.outerWidth) - 4;
  area.innerHeight = static_cast<int>(area.outerHeight) - 4;
  area.pictureWidth = static_cast<int>(std::lround(area.innerWidth * pixelsPerPoint));
  area.pictureHeight = static_cast<int>(std::lround(area.innerHeight * pixelsPerPoint));
  area.lineWidth = lineWidth;
  return area;
}

}  // namespace kelvor::testing
