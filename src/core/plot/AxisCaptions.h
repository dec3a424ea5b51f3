// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelvor {

struct XAxisLayout;
struct YAxisLayout;

// An axis label as the screen shows it. A hidden label is not put on the page.
struct AxisCaption {
  std::string text;
  bool visible = true;
};

// The axis labels as the window shows them: the window's design texts until the axes are
// first laid out, then what the last computed layouts made of them. Printing and the
// clipboard picture take their labels from here.
struct AxisCaptions {
  static constexpr std::size_t Labels = 101;  // time and Y labels 0 to 100

  AxisCaptions();

  // The time labels take their captions and visibility, the unit its caption.
  void follow(const XAxisLayout& layout);
  // The Y labels on grid lines take their captions and show, the others hide keeping their
  // captions; time label 0 hides where the lowest Y label reaches into its row.
  void follow(const YAxisLayout& layout);

  std::vector<AxisCaption> time;  // lblX, index 0 upwards
  std::vector<AxisCaption> y;     // lblY, from the lowest grid line up
  AxisCaption unit;               // lblZeitEinheit
};

}  // namespace kelvor
