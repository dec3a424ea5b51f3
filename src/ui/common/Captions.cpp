// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace kelvor {

namespace {

void setCaption(QObject* object, const QString& caption) {
  if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(caption);
  } else if (auto* frame = qobject_cast<QGroupBox*>(object)) {
    frame->setTitle(caption);
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    action->setText(caption);  // a menu's title is the text of its menu action
  } else if (auto* window = qobject_cast<QWidget*>(object); window && window->isWindow()) {
    window->setWindowTitle(caption);
  }
}

}  // namespace

QString captionOf(const QObject* object) {
  if (const auto* label = qobject_cast<const QLabel*>(object)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(object)) return frame->title();
  if (const auto* action = qobject_cast<const QAction*>(object)) return action->text();
  if (const auto* window = qobject_cast<const QWidget*>(object); window && window->isWindow())
    return window->windowTitle();
  return {};
}

void translateCaptions(const std::vector<QObject*>& controls, const char* context) {
  for (QObject* control : controls) {
    if (!control) continue;
    const QString caption = captionOf(control);
    if (caption.isEmpty()) continue;
    setCaption(control, QCoreApplication::translate(context, caption.toUtf8().constData()));
  }
}

}  // namespace kelvor
