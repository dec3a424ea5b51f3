// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

#include "core/settings/StoredSettings.h"

class QWidget;

namespace kelvor {

// The main window's placement between runs, in twips (outer edges, frame included) and
// window states 0 normal, 1 minimised, 2 maximised.
class WindowPlacement {
 public:
  // The primary screen's size in twips.
  static QSize screenTwips();

  // At start-up, before the window is shown: moves the window to the saved placement when
  // placementRestorable allows it, else centres it on the screen; then gives it the saved
  // state when that differs from its own. States other than 0, 1 and 2 are ignored.
  static void restore(QWidget* window, const StoredSettings& saved);

  // At exit: the window's state always; its outer left, top, width and height only in the
  // normal state, so a minimised or maximised exit keeps the placement read at start.
  static void capture(const QWidget* window, StoredSettings& saved);

  // 0 normal, 1 minimised, 2 maximised (full screen counts as maximised).
  static int stateOf(const QWidget* window);
};

}  // namespace kelvor
