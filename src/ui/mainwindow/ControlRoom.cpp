// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ControlRoom.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace kelvor {

namespace {

bool isCaptioned(const QWidget* w) {
  return qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w);
}

// The room a control's text and indicator need; fields and buttons keep their design width.
QSize neededSize(const QWidget* w) {
  const QSize hint = w->sizeHint();
  if (isCaptioned(w)) return hint;
  if (auto* label = qobject_cast<const QLabel*>(w))
    return label->wordWrap() || label->text().isEmpty() ? QSize() : hint;
  if (qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
      qobject_cast<const QPushButton*>(w))
    return {0, hint.height()};
  return {};
}

QList<QWidget*> controlsIn(QWidget* container) {
  QList<QWidget*> controls;
  for (QObject* child : container->children())
    if (auto* w = qobject_cast<QWidget*>(child); w && !qobject_cast<QGroupBox*>(w)) controls << w;
  return controls;
}

}  // namespace

void ControlRoom::fit(QWidget* panel) {
  fitChildren(panel);
  for (QObject* child : panel->children()) {
    if (auto* frame = qobject_cast<QGroupBox*>(child)) {
      fitChildren(frame);
      giveWay(frame);
      holdChildren(frame);
    }
  }
}

void ControlRoom::fitChildren(QWidget* container) {
  for (QWidget* w : controlsIn(container)) {
    const QSize need = neededSize(w);
    w->resize(std::max(w->width(), need.width()), std::max(w->height(), need.height()));
  }
}

void ControlRoom::giveWay(QWidget* container) {
  const QList<QWidget*> controls = controlsIn(container);
  for (const QWidget* caption : controls) {
    if (!isCaptioned(caption)) continue;
    const QRect painted(caption->pos(), QSize(caption->sizeHint().width(), caption->height()));
    for (QWidget* field : controls) {
      const bool beside = field->x() > caption->x() && field->geometry().intersects(painted);
      if (!beside || !(qobject_cast<QLineEdit*>(field) || qobject_cast<QComboBox*>(field)))
        continue;
      QRect box = field->geometry();
      box.setLeft(painted.right() + 1);
      field->setGeometry(box);
    }
  }
}

void ControlRoom::holdChildren(QWidget* frame) {
  // Inside the frame's one-pixel border, with a pixel to spare.
  int width = frame->width();
  int height = frame->height();
  for (const QWidget* w : controlsIn(frame)) {
    const int paintedWidth = isCaptioned(w) ? w->sizeHint().width() : w->width();
    width = std::max(width, w->x() + paintedWidth + 2);
    height = std::max(height, w->y() + w->height() + 2);
  }
  frame->resize(width, height);
}

}  // namespace kelvor
