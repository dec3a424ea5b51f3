// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "ui/mainwindow/AlarmControls.h"
#include "ui/mainwindow/AxisLabels.h"
#include "ui/mainwindow/ChannelValueCells.h"
#include "ui/mainwindow/ColourControls.h"
#include "ui/mainwindow/MenuActions.h"
#include "ui/mainwindow/RangeControls.h"
#include "ui/mainwindow/ReadingControls.h"
#include "ui/mainwindow/RecordingControls.h"
#include "ui/mainwindow/TimeControls.h"

class QFrame;
class QMainWindow;
class QObject;
class QWidget;

namespace kelvor {

class ScopeWidget;

// Every control and menu item of the main window, created with its object name, German
// design caption and design position in points. The window keeps them in groups by what they
// serve, each group a type of its own, and hands each part only the groups it works on.
struct MainControls {
  // The translation context of the window's captions (the window's own tr() context).
  static constexpr const char* TextContext = "kelvor::MainWindow";

  // Builds all controls into `window` (central widget and menu bar), with the captions in
  // the interface language of the installed catalogue.
  static MainControls build(QMainWindow* window);

  // Every control of the main window that carries a caption.
  std::vector<QObject*> captionedControls() const;

  QWidget* central = nullptr;  // the window's inner area, in which points are laid out

  ScopeWidget* scopeWidget = nullptr;
  QWidget* controlPanel = nullptr;
  QFrame* shadowLine = nullptr;
  QFrame* highlightLine = nullptr;

  ReadingControls reading;
  ChannelValueCells values;
  TimeControls time;
  RecordingControls recording;
  RangeControls range;
  ColourControls colours;
  AlarmControls alarm;
  AxisLabels axes;
  MenuActions menus;
};

}  // namespace kelvor
