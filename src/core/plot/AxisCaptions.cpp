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
  unit.text = layout.timeUnitText;
  for (std::size_t i = 0; i < std::min(time.size(), layout.timeLabels.size()); ++i)
    time[i] = AxisCaption{layout.timeLabels[i].caption, layout.timeLabels[i].visible};
}

void AxisCaptions::follow(const YAxisLayout& layout) {
  for (std::size_t j = 0; j < std::min(y.size(), layout.valueLabels.size()); ++j) {
    if (layout.valueLabels[j].visible) y[j].text = layout.valueLabels[j].caption;
    y[j].visible = layout.valueLabels[j].visible;
  }
  if (layout.hideTimeLabel0) time[0].visible = false;
}

}  // namespace kelvor
