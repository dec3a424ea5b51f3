// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MenuActions.h"

#include "ui/common/Captions.h"
#include "ui/common/ObjectNames.h"
#include "ui/mainwindow/MainControls.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>

namespace kelvor {

using ObjectNames::indexedName;

namespace {

// Channel captions of the load and save submenus, in channel order.
constexpr const char* ChannelCaptions[6] = {QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Grün"),
                                            QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Rot"),
                                            QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Margenta"),
                                            QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Blau"),
                                            QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Cyan"),
                                            QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Gelb")};

// A caption in the interface language (its German source when no catalogue is installed).
QString text(const char* utf8) {
  return captionText(MainControls::TextContext, utf8);
}

QMenu* makeMenu(QWidget* parent, const QString& menuName, const QString& actionName,
                const char* caption, const QFont& font) {
  auto* menu = new QMenu(text(caption), parent);
  menu->setObjectName(menuName);
  menu->setFont(font);  // popups are windows of their own and do not inherit fonts
  menu->menuAction()->setObjectName(actionName);
  return menu;
}

QAction* addItem(QMenu* menu, const QString& name, const char* caption) {
  auto* action = new QAction(text(caption), menu);
  action->setObjectName(name);
  menu->addAction(action);
  return action;
}

QAction* addSeparator(QMenu* menu, const QString& name) {
  auto* action = new QAction(menu);
  action->setObjectName(name);
  action->setSeparator(true);
  menu->addAction(action);
  return action;
}

// One of the per-channel submenus of the file menu (load or save).
QMenu* addChannelMenu(QMenu* fileMenu, int fileIndex, const char* menuName, const char* caption,
                      const char* itemName, std::array<QAction*, 6>& items) {
  QMenu* menu = makeMenu(fileMenu, QLatin1String(menuName),
                         indexedName(ObjectNames::mnuFile, fileIndex), caption, fileMenu->font());
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    items[static_cast<std::size_t>(i)] =
        addItem(menu, indexedName(itemName, i), ChannelCaptions[i]);
  }
  fileMenu->addMenu(menu);
  return menu;
}

void buildFileMenu(MenuActions& c, QMenuBar* bar) {
  c.fileMenu = makeMenu(bar, QLatin1String(ObjectNames::mnuFileMainMenu),
                        QLatin1String(ObjectNames::mnuFileMain),
                        QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Datei"), bar->font());
  c.fileMenuAction = c.fileMenu->menuAction();
  c.fileItems[0] = addChannelMenu(c.fileMenu, 0, ObjectNames::mnuFileLoadMenu,
                                  QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Laden"),
                                  ObjectNames::mnuFileLoad, c.loadItems)
                       ->menuAction();
  c.fileItems[1] = addChannelMenu(c.fileMenu, 1, ObjectNames::mnuFileSaveMenu,
                                  QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Speichern"),
                                  ObjectNames::mnuFileSave, c.saveItems)
                       ->menuAction();
  c.fileItems[2] = addSeparator(c.fileMenu, indexedName(ObjectNames::mnuFile, 2));
  c.printItems[0] = addItem(c.fileMenu, indexedName(ObjectNames::mnuPrint, 0),
                            QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Drucken"));
  c.printItems[1] = addItem(c.fileMenu, indexedName(ObjectNames::mnuPrint, 1),
                            QT_TRANSLATE_NOOP("kelvor::MainWindow", "Drucker &einrichten"));
  c.fileCommands[3] = addSeparator(c.fileMenu, indexedName(ObjectNames::mnuFile2, 3));
  c.fileCommands[MenuActions::PortSettingsItem] =
      addItem(c.fileMenu, indexedName(ObjectNames::mnuFile2, 4),
              QT_TRANSLATE_NOOP("kelvor::MainWindow", "COM-P&ort"));
  c.channelsItem = addItem(c.fileMenu, QLatin1String(ObjectNames::mnuChannels),
                           QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Kanäle…"));
  c.recordingsItem = addItem(c.fileMenu, QLatin1String(ObjectNames::mnuRecordings),
                             QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Aufzeichnungen…"));
  c.reviewItem = addItem(c.fileMenu, QLatin1String(ObjectNames::mnuReview),
                         QT_TRANSLATE_NOOP("kelvor::MainWindow", "Aufzeichnung an&sehen…"));
  c.scheduleItem = addItem(c.fileMenu, QLatin1String(ObjectNames::mnuSchedule),
                           QT_TRANSLATE_NOOP("kelvor::MainWindow", "Aufzeichnung &planen…"));
  c.publishItem = addItem(c.fileMenu, QLatin1String(ObjectNames::mnuPublish),
                          QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Veröffentlichen…"));
  c.fileCommands[5] = addSeparator(c.fileMenu, indexedName(ObjectNames::mnuFile2, 5));
  c.fileCommands[MenuActions::ExitItem] =
      addItem(c.fileMenu, indexedName(ObjectNames::mnuFile2, 6),
              QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Beenden"));
  bar->addMenu(c.fileMenu);
}

void buildEditAndHelpMenus(MenuActions& c, QMenuBar* bar) {
  c.editMenu =
      makeMenu(bar, QLatin1String(ObjectNames::mnuEditMenu), QLatin1String(ObjectNames::mnuEdit),
               QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Bearbeiten"), bar->font());
  c.editMenuAction = c.editMenu->menuAction();
  c.copyItems[0] = addItem(c.editMenu, indexedName(ObjectNames::mnuCopy, 0),
                           QT_TRANSLATE_NOOP("kelvor::MainWindow", "Grafik kopieren farbig"));
  c.copyItems[1] = addItem(c.editMenu, indexedName(ObjectNames::mnuCopy, 1),
                           QT_TRANSLATE_NOOP("kelvor::MainWindow", "Grafik kopieren s/w"));
  bar->addMenu(c.editMenu);

  c.helpMenu =
      makeMenu(bar, QLatin1String(ObjectNames::mnuHelpMenu), QLatin1String(ObjectNames::mnuHelp),
               QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Hilfe"), bar->font());
  c.helpMenuAction = c.helpMenu->menuAction();
  c.aboutItem = addItem(c.helpMenu, QLatin1String(ObjectNames::mnuInfo),
                        QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Info"));
  bar->addMenu(c.helpMenu);
}

}  // namespace

MenuActions MenuActions::build(QMenuBar* bar) {
  MenuActions menus;
  buildFileMenu(menus, bar);
  buildEditAndHelpMenus(menus, bar);
  return menus;
}

}  // namespace kelvor
