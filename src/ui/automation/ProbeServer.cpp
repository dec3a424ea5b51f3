#include "ui/automation/ProbeServer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace kelvor {

namespace {

QObject* findByName(const QString& name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == name) return top;
    if (QObject* found = top->findChild<QObject*>(name)) return found;
  }
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

QString ok(const QString& value) {
  return QStringLiteral("ok ") + escaped(value);
}
QString flag(bool on) {
  return ok(on ? QStringLiteral("1") : QStringLiteral("0"));
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

}  // namespace

ProbeServer* ProbeServer::startFromEnvironment(QObject* parent) {
  const QString path = qEnvironmentVariable(EnvironmentVariable);
  if (path.isEmpty()) return nullptr;
  auto* probe = new ProbeServer(parent);
  if (!probe->listen(path)) {
    qWarning("Kelvor: cannot listen on the probe socket %s", qPrintable(path));
    delete probe;
    return nullptr;
  }
  return probe;
}

ProbeServer::ProbeServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  connect(server_, &QLocalServer::newConnection, this, &ProbeServer::onNewConnection);
}

bool ProbeServer::listen(const QString& path) {
  QLocalServer::removeServer(path);
  return server_->listen(path);
}

void ProbeServer::onNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  }
}

void ProbeServer::onReadyRead(QLocalSocket* socket) {
  while (socket->canReadLine()) {
    const QString request = QString::fromUtf8(socket->readLine()).trimmed();
    socket->write((answer(request) + QLatin1Char('\n')).toUtf8());
    socket->flush();
  }
}

QString ProbeServer::answer(const QString& request) {
  const QString command = request.section(QLatin1Char(' '), 0, 0);
  const QString name = request.section(QLatin1Char(' '), 1);

  if (command == QLatin1String("buttons")) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return QStringLiteral("error no modal dialog");
    QStringList texts;
    for (const QPushButton* button : modal->findChildren<QPushButton*>())
      if (button->isVisible()) texts << button->text();
    return ok(texts.join(QLatin1Char('\t')));
  }
  if (command == QLatin1String("modal") || command == QLatin1String("dismiss")) {
    QWidget* modal = QApplication::activeModalWidget();
    if (command == QLatin1String("dismiss")) {
      if (!modal) return QStringLiteral("error no modal dialog");
      later([modal] { modal->close(); });
      return ok({});
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal))
      return ok(box->windowTitle() + QLatin1Char('|') + box->text());
    return ok(modal ? modal->windowTitle() : QString());
  }
  if (command == QLatin1String("choose-file")) {
    QFileDialog* dialog = openFileDialog();
    if (!dialog) return QStringLiteral("error no file dialog");
    if (name.isEmpty()) return QStringLiteral("error no file name");
    QPointer<QFileDialog> target(dialog);
    later([target, name] {
      if (!target) return;
      // Typed into the name field as a user does; a full path there is taken as it stands.
      if (auto* edit = target->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        edit->setText(name);
      } else {
        target->selectFile(name);
      }
      static_cast<QDialog*>(target.data())->accept();  // the dialog's own checks run
    });
    return ok(name);
  }
  if (command == QLatin1String("grab")) {
    // A picture of the main window as the user sees it, saved as an image file.
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() != QLatin1String("frmMain")) continue;
      return top->grab().save(name) ? ok(name) : QStringLiteral("error cannot save ") + name;
    }
    return QStringLiteral("error no main window");
  }
  if (command == QLatin1String("quit")) {
    later([] {
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("frmMain")) top->close();
    });
    return ok({});
  }

  if (command == QLatin1String("texts")) {
    // Several controls read in one go, so that they belong to the same moment.
    QStringList values;
    for (const QString& each : name.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      QObject* object = findByName(each);
      if (!object) return QStringLiteral("error no object ") + each;
      values << textOf(object);
    }
    return ok(values.join(QLatin1Char('\t')));
  }

  if (command == QLatin1String("select")) {
    // The first item of a list whose text starts with the given text, chosen as a user
    // would: the list's handler runs (after replying).
    const QString listName = name.section(QLatin1Char(' '), 0, 0);
    const QString itemText = name.section(QLatin1Char(' '), 1);
    QPointer<QComboBox> list(qobject_cast<QComboBox*>(findByName(listName)));
    if (!list) return QStringLiteral("error no list ") + listName;
    int item = -1;
    for (int i = 0; i < list->count() && item < 0; ++i)
      if (list->itemText(i).startsWith(itemText)) item = i;
    if (item < 0) return QStringLiteral("error no item ") + itemText;
    later([list, item] {
      if (!list) return;
      list->setCurrentIndex(item);
      emit list->activated(item);
    });
    return ok(list->itemText(item));
  }

  QObject* object = findByName(name);
  if (!object) return QStringLiteral("error no object ") + name;
  if (command == QLatin1String("text")) return ok(textOf(object));
  if (command == QLatin1String("checked")) {
    if (auto* button = qobject_cast<QAbstractButton*>(object)) return flag(button->isChecked());
    if (auto* action = qobject_cast<QAction*>(object)) return flag(action->isChecked());
    return QStringLiteral("error not checkable ") + name;
  }
  if (command == QLatin1String("visible")) {
    if (auto* widget = qobject_cast<QWidget*>(object)) return flag(widget->isVisible());
    if (auto* action = qobject_cast<QAction*>(object)) return flag(action->isVisible());
    return QStringLiteral("error not visible ") + name;
  }
  if (command == QLatin1String("click")) {
    QPointer<QObject> target(object);
    later([target] {
      if (auto* button = qobject_cast<QAbstractButton*>(target.data())) button->click();
      if (auto* action = qobject_cast<QAction*>(target.data())) action->trigger();
    });
    return ok({});
  }
  return QStringLiteral("error unknown request ") + command;
}

}  // namespace kelvor
