// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QWidget>

#include "platform/ProgramCatalogue.h"

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

// The sources of the captions made by captionText, by the text they were given.
QHash<QString, QByteArray>& captionSources() {
  static QHash<QString, QByteArray> sources;
  return sources;
}

}  // namespace

QString captionText(const char* context, const char* source) {
  const QString caption = QCoreApplication::translate(context, source);
  captionSources().insert(caption, QByteArray(source));
  return caption;
}

QString captionOf(const QObject* object) {
  if (const auto* label = qobject_cast<const QLabel*>(object)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(object)) return frame->title();
  if (const auto* action = qobject_cast<const QAction*>(object)) return action->text();
  if (const auto* window = qobject_cast<const QWidget*>(object); window && window->isWindow())
    return window->windowTitle();
  return {};
}

QStringList translateCaptions(const std::vector<QObject*>& controls, const char* context) {
  QStringList unknown;
  for (QObject* control : controls) {
    if (!control) continue;
    const QString caption = captionOf(control);
    if (caption.isEmpty()) continue;
    const QByteArray source = captionSources().value(caption, caption.toUtf8());
    if (!ProgramCatalogue::knows(context, QString::fromUtf8(source))) {
      unknown << caption;
      qWarning("Kelvor: the catalogue has no text for the caption \"%s\" of %s",
               qPrintable(caption), qPrintable(control->objectName()));
    }
    setCaption(control, captionText(context, source.constData()));
  }
  return unknown;
}

}  // namespace kelvor
