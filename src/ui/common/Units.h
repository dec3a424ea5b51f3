// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

namespace kelvor {

// Length units of the main window. Everything inside the window is laid out in points
// (1/72 inch); the outer size and position of windows are kept in twips (1/1440 inch), as
// the stored window placement is. All conversions to device pixels live here.
class Units {
 public:
  // Device-independent pixels per point on the primary screen.
  static double pixelsPerPoint();
  static int pointsToPixels(double points);
  static double pixelsToPoints(int pixels);
  static QRect pointRect(double left, double top, double width, double height);
  static void placeInPoints(QWidget* widget, double left, double top, double width, double height);

  static constexpr int TwipsPerPoint = 20;
  static int pixelsToTwips(int pixels);
  static int twipsToPixels(int twips);
};

}  // namespace kelvor
