// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/AxisCaptions.h"

#include <algorithm>

#include "core/plot/XAxis.h"
#include "core/plot/YAxis.h"

namespace kelvor {

AxisCaptions::AxisCaptions()
    : time(Labels, AxisCaption{"1", true}),
      y(Labels, AxisCaption{"0,00", false}),
      unit{"t  -->", true} {
  y[0].visible = true;
}

void AxisCaptions::follow(const XAxisLayout& layout) {
  unit.text = layout.lblZeitEinheitCaption;
  for (std::size_t i = 0; i < std::min(time.size(), layout.lblX.size()); ++i)
    time[i] = AxisCaption{layout.lblX[i].caption, layout.lblX[i].visible};
}

void AxisCaptions::follow(const YAxisLayout& layout) {
  for (std::size_t j = 0; j < std::min(y.size(), layout.lblY.size()); ++j) {
    if (layout.lblY[j].visible) y[j].text = layout.lblY[j].caption;
    y[j].visible = layout.lblY[j].visible;
  }
  if (layout.hideTimeLabel0) time[0].visible = false;
}

}  // namespace kelvor
