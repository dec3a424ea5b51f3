// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kelvor {

// The mouse pointer for the whole program.
enum class MousePointer { Default = 0, Hourglass = 11 };

// Small shared window procedures.
class WindowTools {
 public:
  // Centres `window` over `reference` (its frame geometry), or over the screen when no
  // reference is given. The window keeps its size and is not clipped to the screen.
  static void centreWindow(QWidget* window, const QWidget* reference = nullptr);

  // Shows the hourglass or restores the default. Override cursors never pile up: the
  // hourglass twice and the default once leaves the default.
  static void setMousePointer(MousePointer pointer);
};

}  // namespace kelvor
