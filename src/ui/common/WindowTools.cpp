// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/WindowTools.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kelvor {

void WindowTools::centreWindow(QWidget* window, const QWidget* reference) {
  QRect area;
  if (reference) {
    area = reference->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->geometry();
  } else {
    return;
  }
  const QSize size = window->frameGeometry().size();
  window->move(area.left() + area.width() / 2 - size.width() / 2,
               area.top() + area.height() / 2 - size.height() / 2);
}

void WindowTools::setMousePointer(MousePointer pointer) {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (pointer == MousePointer::Hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
}

}  // namespace kelvor
