// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kelvor {

// The main window's controls keep their design places; the design sized them for a narrower
// face than the one shown today. This gives each control inside a panel at least the room
// its style needs for its text and indicator at the actual font: a box grows to the right
// and downwards and never moves; a field that a grown caption beside it would run into gives
// way on its left (its right edge stays); a frame grows to hold its controls.
class ControlRoom {
 public:
  // Run once the captions of the interface language are in place.
  static void fit(QWidget* panel);

 private:
  static void fitChildren(QWidget* container);
  static void giveWay(QWidget* container);
  static void holdChildren(QWidget* frame);
};

}  // namespace kelvor
