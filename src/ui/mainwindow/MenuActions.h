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
  QAction* mnuFileMain = nullptr;
  std::array<QAction*, 3> mnuFile{};  // 0 "&Laden" (submenu), 1 "&Speichern" (submenu), 2 "-"
  std::array<QAction*, 6> mnuFileLoad{};
  std::array<QAction*, 6> mnuFileSave{};
  std::array<QAction*, 2> mnuPrint{};
  std::map<int, QAction*> mnuFile2;  // 3 "-", 4 "COM-P&ort", 5 "-", 6 "&Beenden"
  QAction* mnuChannels = nullptr;    // the channel dialog, after "COM-P&ort"
  QAction* mnuRecordings = nullptr;  // opens the folder of the journals
  QAction* mnuReview = nullptr;      // opens journals for review
  QAction* mnuPublish = nullptr;     // the publishing dialog
  QAction* mnuEdit = nullptr;
  std::array<QAction*, 2> mnuCopy{};
  QAction* mnuHelp = nullptr;
  QAction* mnuInfo = nullptr;
};

}  // namespace kelvor
