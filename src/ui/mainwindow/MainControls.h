// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <array>
#include <map>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QRadioButton;
class QWidget;

class QObject;

namespace kelvor {

class ScopeWidget;

// Every control and menu item of the main window, created with its object name, German
// design caption and design position in points. The window keeps the pointers, in groups
// by what they serve; other parts read and write the controls through them. Control arrays
// keep their indexes (Picture2 has the indexes 0, 1, 4, 5, 6 and 7).
struct MainControls {
  // The large digits: the reading and its unit.
  struct ReadingDisplay {
    QLabel* lblVal = nullptr;
    QLabel* lblACDC = nullptr;
  };

  // The row of channel values under the plot, one cell a channel; hidden unless several
  // channels are bound (ChannelValuesRow).
  struct ChannelValues {
    std::array<QLabel*, 6> lblChannelValue{};
  };

  // The time group: current time, start, running time and the time of the alarm.
  struct TimeDisplay {
    QGroupBox* Frame3 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblAkt = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblStart = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblLauf = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblAbbr = nullptr;
  };

  // The plot panel's controls: recording, measuring range and channel groups.
  struct PlotControls {
    // Recording group (it also holds the alarm controls).
    QGroupBox* Frame2 = nullptr;
    QLabel* Label7 = nullptr;  // object name "Label7(0)"
    QComboBox* cboMessDauer = nullptr;
    QCheckBox* chkActive = nullptr;
    std::array<QRadioButton*, 2> optDrawStyle{};
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdCLS = nullptr;

    // Measuring-range group.
    QGroupBox* Frame4 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* cboYMin = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* cboYMax = nullptr;
    QCheckBox* chkAutoScale = nullptr;

    // Channel group.
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 6> optColor{};
    std::map<int, QWidget*> Picture2;
  };

  // The alarm condition and its switch.
  struct AlarmControls {
    QCheckBox* chkAlarm = nullptr;
    QLineEdit* txtAlarm = nullptr;
  };

  // The labels of the plot's axes.
  struct AxisLabels {
    // Creates the members 1 to 100 of lblX (visible) and lblY (hidden) as copies of member 0.
    void createCopies();

    std::vector<QLabel*> lblX;  // index 0 from design time, 1..100 from createCopies
    std::vector<QLabel*> lblY;
    QLabel* lblTpP = nullptr;
    QLabel* lblZeitEinheit = nullptr;
  };

  // The menus and their items. Separators are actions too, with their own names
  // (mnuFile(2), mnuFile2(3), ...).
  struct MenuActions {
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

  enum FileMenuItem { PortSettingsItem = 4, ExitItem = 6 };  // the commands of mnuFile2

  // The translation context of the window's captions (the window's own tr() context).
  static constexpr const char* TextContext = "kelvor::frmMain";

  // Builds all controls into `window` (central widget and menu bar), with the captions in
  // the interface language of the installed catalogue.
  static MainControls build(QMainWindow* window);

  // Every control of the main window that carries a caption.
  std::vector<QObject*> captionedControls() const;

  QWidget* central = nullptr;  // the window's inner area, in which points are laid out

  ScopeWidget* picScope = nullptr;
  QWidget* picControls = nullptr;
  QFrame* Line1 = nullptr;
  QFrame* Line2 = nullptr;

  ReadingDisplay reading;
  ChannelValues values;
  TimeDisplay time;
  PlotControls plot;
  AlarmControls alarm;
  AxisLabels axes;
  MenuActions menus;
};

}  // namespace kelvor
