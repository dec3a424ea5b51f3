// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/Units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace kelvor {

double Units::pixelsPerPoint() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  return dpi / 72.0;
}

int Units::pointsToPixels(double points) {
  return static_cast<int>(std::lround(points * pixelsPerPoint()));
}

double Units::pixelsToPoints(int pixels) {
  return pixels / pixelsPerPoint();
}

QRect Units::pointRect(double left, double top, double width, double height) {
  const int x = pointsToPixels(left);
  const int y = pointsToPixels(top);
  // Size from the rounded edges, so neighbouring controls neither overlap nor gap.
  return QRect(x, y, pointsToPixels(left + width) - x, pointsToPixels(top + height) - y);
}

void Units::placeInPoints(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(pointRect(left, top, width, height));
}

int Units::pixelsToTwips(int pixels) {
  return static_cast<int>(std::lround(pixelsToPoints(pixels) * TwipsPerPoint));
}

int Units::twipsToPixels(int twips) {
  return pointsToPixels(static_cast<double>(twips) / TwipsPerPoint);
}

}  // namespace kelvor
