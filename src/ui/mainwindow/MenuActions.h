// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace kelvor {

// The menus of the main window and their items. Separators are actions too, with their own
// names (mnuFile(2), mnuFile2(3), ...).
struct MenuActions {
  enum FileMenuItem { PortSettingsItem = 4, ExitItem = 6 };  // the commands of mnuFile2

  // Builds the file, edit and help menus into `bar`, with the captions in the interface
  // language of the installed catalogue.
  static MenuActions build(QMenuBar* bar);

  QMenu* fileMenu = nullptr;
  QMenu* editMenu = nullptr;
  QMenu* helpMenu = nullptr;
  QAction* fileMenuAction = nullptr;
  std::array<QAction*, 3> fileItems{};  // 0 "&Laden" (submenu), 1 "&Speichern" (submenu), 2 "-"
  std::array<QAction*, 6> loadItems{};
  std::array<QAction*, 6> saveItems{};
  std::array<QAction*, 2> printItems{};
  std::map<int, QAction*> fileCommands;  // 3 "-", 4 "COM-P&ort", 5 "-", 6 "&Beenden"
  QAction* channelsItem = nullptr;       // the channel dialog, after "COM-P&ort"
  QAction* recordingsItem = nullptr;     // opens the folder of the journals
  QAction* reviewItem = nullptr;         // opens journals for review
  QAction* publishItem = nullptr;        // the publishing dialog
  QAction* scheduleItem = nullptr;       // the start and stop rules
  QAction* editMenuAction = nullptr;
  std::array<QAction*, 2> copyItems{};
  QAction* helpMenuAction = nullptr;
  QAction* aboutItem = nullptr;
};

}  // namespace kelvor
