// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's placement at start-up and exit.
#include "ui/mainwindow/WindowPlacement.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <tuple>
#include <vector>

#include "ui/common/Units.h"

namespace kelvor {
namespace {

// A start with a stored placement and state, then an exit: the window comes back where it
// was by its outer edges (not growing by its frame from run to run, also after leaving a
// minimised or maximised start), a placement too small is ignored, a minimised or maximised
// exit keeps the placement read at start, and an unknown state counts as normal.
TEST(WindowPlacement, RestoreAndCaptureAcrossRuns) {
  // Width in twips, state stored, whether the placement is restored, state at exit.
  using Row = std::tuple<int, int, bool, int>;
  for (const auto& [widthTwips, state, restored, stateAtExit] :
       {Row{10500, 0, true, 0}, Row{9400, 0, false, 0}, Row{10500, 2, true, 2},
        Row{10500, 1, true, 1}, Row{10500, 7, true, 0}}) {
    SCOPED_TRACE(state * 100000 + widthTwips);
    StoredSettings saved;
    std::tie(saved.SavedLeft, saved.SavedTop, saved.SavedWidth, saved.SavedHeight,
             saved.SavedState) = std::tuple(600, 450, widthTwips, 7200, state);
    QMainWindow window;
    window.resize(620, 400);  // the design size
    WindowPlacement::restore(&window, saved);
    window.show();
    QCoreApplication::processEvents();
    StoredSettings atExit = saved;
    WindowPlacement::capture(&window, atExit);
    EXPECT_EQ(atExit.SavedState, stateAtExit);
    window.showNormal();
    QCoreApplication::processEvents();
    if (restored) {
      EXPECT_EQ(window.frameGeometry(), QRect(40, 30, Units::twipsToPixels(widthTwips), 480));
      EXPECT_EQ(std::tie(atExit.SavedLeft, atExit.SavedTop, atExit.SavedWidth, atExit.SavedHeight),
                std::tie(saved.SavedLeft, saved.SavedTop, saved.SavedWidth, saved.SavedHeight));
    } else {
      const QPoint offset =
          window.frameGeometry().center() - QGuiApplication::primaryScreen()->geometry().center();
      EXPECT_EQ(std::pair(offset.manhattanLength() <= 2, window.size()),
                std::pair(true, QSize(620, 400)));
    }
  }
}

}  // namespace
}  // namespace kelvor
