// SPDX-License-Identifier: GPL-3.0-or-later
// The probe's requests: each verb answered by its own small handler.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ui/automation/ProbeServer.h"
#include "ui/common/ObjectNames.h"

namespace kelvor {

namespace {

QObject* findByName(const QString& name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == name) return top;
    if (QObject* found = top->findChild<QObject*>(name)) return found;
  }
  return nullptr;
}

QWidget* mainWindow() {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->objectName() == QLatin1String(ObjectNames::frmMain)) return top;
  return nullptr;
}

QString textOf(QObject* object) {
  if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->text();
  if (auto* edit = qobject_cast<QLineEdit*>(object)) return edit->text();
  if (auto* combo = qobject_cast<QComboBox*>(object)) return combo->currentText();
  if (auto* group = qobject_cast<QGroupBox*>(object)) return group->title();
  if (auto* action = qobject_cast<QAction*>(object)) return action->text();
  if (auto* widget = qobject_cast<QWidget*>(object)) return widget->windowTitle();
  return {};
}

QString escaped(QString text) {
  return text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
      .replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

QString ok(const QString& value = {}) {
  return QStringLiteral("ok ") + escaped(value);
}
QString flag(bool on) {
  return ok(on ? QStringLiteral("1") : QStringLiteral("0"));
}
QString error(const char* reason, const QString& what = {}) {
  return QStringLiteral("error ") + QLatin1String(reason) + what;
}

// Runs after the reply has gone out, so that a dialog the action opens cannot hold it up.
void later(std::function<void()> action) {
  QTimer::singleShot(0, qApp, std::move(action));
}

// The file dialog the user is looking at: the modal one, or else any visible one.
QFileDialog* openFileDialog() {
  if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) return dialog;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QFileDialog*>(top);
    if (dialog && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

QString buttons(const QString&) {
  const QWidget* dialog = QApplication::activeModalWidget();
  if (!dialog) return error("no modal dialog");
  QStringList texts;
  for (const QPushButton* button : dialog->findChildren<QPushButton*>())
    if (button->isVisible()) texts << button->text();
  return ok(texts.join(QLatin1Char('\t')));
}

QString modal(const QString&) {
  const QWidget* dialog = QApplication::activeModalWidget();
  if (auto* box = qobject_cast<const QMessageBox*>(dialog))
    return ok(box->windowTitle() + QLatin1Char('|') + box->text());
  return ok(dialog ? dialog->windowTitle() : QString());
}

QString dismiss(const QString&) {
  QWidget* dialog = QApplication::activeModalWidget();
  if (!dialog) return error("no modal dialog");
  later([dialog] { dialog->close(); });
  return ok();
}

QString chooseFile(const QString& name) {
  QPointer<QFileDialog> dialog(openFileDialog());
  if (!dialog) return error("no file dialog");
  if (name.isEmpty()) return error("no file name");
  later([dialog, name] {
    if (!dialog) return;
    // Typed into the name field as a user does; a full path there is taken as it stands.
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
      edit->setText(name);
    } else {
      dialog->selectFile(name);
    }
    static_cast<QDialog*>(dialog.data())->accept();  // the dialog's own checks run
  });
  return ok(name);
}

// A picture of the open dialog, or else the active window (a review window), or else the main
// window, as the user sees it, saved as an image file.
QString grab(const QString& path) {
  QWidget* shown = QApplication::activeModalWidget();
  if (!shown) shown = QApplication::activeWindow();
  if (shown == mainWindow()) shown = nullptr;
  // Without a window manager no window is active: a window of the main window's own.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (!shown && window->isVisible() && window->parentWidget() == mainWindow()) shown = window;
  if (!shown) shown = mainWindow();
  if (!shown) return error("no main window");
  return shown->grab().save(path) ? ok(path) : error("cannot save ", path);
}

QString quit(const QString&) {
  later([] {
    if (QWidget* main = mainWindow()) main->close();
  });
  return ok();
}

// Several controls read in one go, so that they belong to the same moment.
QString texts(const QString& names) {
  QStringList values;
  for (const QString& name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    QObject* object = findByName(name);
    if (!object) return error("no object ", name);
    values << textOf(object);
  }
  return ok(values.join(QLatin1Char('\t')));
}

// The first item of a list whose text starts with the given text, chosen as a user would:
// the list's handler runs (after replying).
QString select(const QString& argument) {
  const QString listName = argument.section(QLatin1Char(' '), 0, 0);
  const QString itemText = argument.section(QLatin1Char(' '), 1);
  QPointer<QComboBox> list(qobject_cast<QComboBox*>(findByName(listName)));
  if (!list) return error("no list ", listName);
  int item = -1;
  for (int i = 0; i < list->count() && item < 0; ++i)
    if (list->itemText(i).startsWith(itemText)) item = i;
  if (item < 0) return error("no item ", itemText);
  later([list, item] {
    if (!list) return;
    list->setCurrentIndex(item);
    emit list->activated(item);
  });
  return ok(list->itemText(item));
}

// "type NAME TEXT": the text into a line field, as if typed.
QString type(const QString& argument) {
  const QString name = argument.section(QLatin1Char(' '), 0, 0);
  const QString typed = argument.section(QLatin1Char(' '), 1);
  QPointer<QObject> field(findByName(name));
  if (!qobject_cast<QLineEdit*>(field.data())) return error("no field ", name);
  later([field, typed] {
    if (auto* line = qobject_cast<QLineEdit*>(field.data())) line->setText(typed);
  });
  return ok();
}

QString text(QObject* object, const QString&) {
  return ok(textOf(object));
}

QString checked(QObject* object, const QString& name) {
  if (auto* button = qobject_cast<QAbstractButton*>(object)) return flag(button->isChecked());
  if (auto* action = qobject_cast<QAction*>(object)) return flag(action->isChecked());
  return error("not checkable ", name);
}

QString visible(QObject* object, const QString& name) {
  if (auto* widget = qobject_cast<QWidget*>(object)) return flag(widget->isVisible());
  if (auto* action = qobject_cast<QAction*>(object)) return flag(action->isVisible());
  return error("not visible ", name);
}

// The colour a label's text is drawn in now, dimmed or not, as "#rrggbb".
QString colour(QObject* object, const QString& name) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return error("no widget ", name);
  const auto group = widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
  return ok(widget->palette().color(group, QPalette::WindowText).name());
}

// The tooltip as hovering over the control's middle brings it up.
QString tooltip(QObject* object, const QString& name) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return error("no widget ", name);
  const QPoint middle = widget->rect().center();
  QHelpEvent hover(QEvent::ToolTip, middle, widget->mapToGlobal(middle));
  QCoreApplication::sendEvent(widget, &hover);
  return ok(widget->toolTip());
}

QString click(QObject* object, const QString&) {
  QPointer<QObject> target(object);
  later([target] {
    if (auto* button = qobject_cast<QAbstractButton*>(target.data())) button->click();
    if (auto* action = qobject_cast<QAction*>(target.data())) action->trigger();
  });
  return ok();
}

template <typename Handler>
struct Verb {
  const char* name;
  Handler handler;
};

// Requests that take their argument as it stands.
constexpr Verb<QString (*)(const QString&)> requests[] = {
    {"buttons", buttons}, {"modal", modal}, {"dismiss", dismiss}, {"choose-file", chooseFile},
    {"grab", grab},       {"quit", quit},   {"texts", texts},     {"select", select},
    {"type", type},
};

// Requests about one control, named by the argument.
constexpr Verb<QString (*)(QObject*, const QString&)> controlRequests[] = {
    {"text", text},     {"checked", checked}, {"visible", visible},
    {"colour", colour}, {"tooltip", tooltip}, {"click", click}};

template <typename Handler, size_t N>
Handler handlerFor(const Verb<Handler> (&table)[N], const QString& verb) {
  for (const Verb<Handler>& each : table)
    if (verb == QLatin1String(each.name)) return each.handler;
  return nullptr;
}

}  // namespace

QString ProbeServer::answer(const QString& request) {
  const QString verb = request.section(QLatin1Char(' '), 0, 0);
  const QString argument = request.section(QLatin1Char(' '), 1);
  if (auto handler = handlerFor(requests, verb)) return handler(argument);
  QObject* control = findByName(argument);
  if (!control) return error("no object ", argument);
  if (auto handler = handlerFor(controlRequests, verb)) return handler(control, argument);
  return error("unknown request ", verb);
}

}  // namespace kelvor
