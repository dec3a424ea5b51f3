// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/LanguageTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "ui/mainwindow/MainControls.h"

namespace kelvor {

namespace {

bool setCaption(QObject* object, const QString& caption) {
  if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(caption);
  } else if (auto* frame = qobject_cast<QGroupBox*>(object)) {
    frame->setTitle(caption);
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    action->setText(caption);  // a menu's title is the text of its menu action
  } else if (auto* window = qobject_cast<QWidget*>(object); window && window->isWindow()) {
    window->setWindowTitle(caption);  // a form's own caption
  } else {
    return false;
  }
  return true;
}

template <typename Container>
void addAll(std::vector<QObject*>& list, const Container& members) {
  for (const auto& member : members) list.push_back(member);
}

}  // namespace

const std::vector<CaptionText>& frmMainEnglishCaptions() {
  static const std::vector<CaptionText> table = {
      {"Label1", "Start:"},
      {"Label3", "Current:"},
      {"Label4", "Alarmtime:"},
      {"Label5", "Runtime:"},
      {"Frame1", "&Color"},
      {"Frame3", "&Time"},
      {"optDrawStyle(0)", "1/sec"},
      {"optDrawStyle(1)", "1/Column"},
      {"chkAlarm", "&Alarm if:"},
      {"cmdCLS", "&Erase"},
      {"chkActive", "&Drawing active"},
      {"cmdReset", "&Reset"},
      {"Label7(0)", "&Duration:"},
      {"Frame4", "Interval"},
      {"chkAutoScale", "&Auto-Scale"},
      {"mnuFileMain", "&File"},
      {"mnuFile(0)", "&Open"},
      {"mnuFileLoad(0)", "&Green"},
      {"mnuFileLoad(1)", "&Red"},
      {"mnuFileLoad(2)", "&Margenta"},
      {"mnuFileLoad(3)", "&Blue"},
      {"mnuFileLoad(4)", "&Cyan"},
      {"mnuFileLoad(5)", "&Yellow"},
      {"mnuFile(1)", "&Save"},
      {"mnuFileSave(0)", "&Green"},
      {"mnuFileSave(1)", "&Red"},
      {"mnuFileSave(2)", "&Margenta"},
      {"mnuFileSave(3)", "&Blue"},
      {"mnuFileSave(4)", "&Cyan"},
      {"mnuFileSave(5)", "&Yellow"},
      {"mnuPrint(0)", "&Print"},
      {"mnuPrint(1)", "Printer &settings"},
      {"mnuRecordings", "&Recordings…"},
      {"mnuReview", "Re&view recording…"},
      {"mnuPublish", "P&ublish…"},
      {"mnuFile2(6)", "&Close"},
      {"mnuEdit", "&Edit"},
      {"mnuCopy(0)", "Copy diagram colored"},
      {"mnuCopy(1)", "Copy diagram s/w"},
      {"mnuHelp", "&Help"},
      {"mnuInfo", "&Info"},
  };
  return table;
}

const std::vector<CaptionText>& frmPrtDlgEnglishCaptions() {
  static const std::vector<CaptionText> table = {
      {"frmPrtDlg", "Printer"},
      {"fraDrucker", "Printer"},
      {"lblName(0)", "Name:"},
      {"lblName(1)", "Driver:"},
      {"lblName(2)", "Port:"},
      {"cmdSettings", "&Settings"},
      {"optColor(0)", "&Colored / Grayscaled"},
      {"optColor(1)", "&Mono"},
      {"cmdCancel", "Cancel"},
  };
  return table;
}

QStringList LanguageTexts::applyCaptions(const std::vector<QObject*>& controls,
                                         const std::vector<CaptionText>& table) {
  QHash<QString, QObject*> byName;
  for (QObject* control : controls)
    if (control) byName.insert(control->objectName(), control);
  QStringList missing;
  for (const CaptionText& entry : table) {
    const QString name = QString::fromUtf8(entry.objectName);
    QObject* control = byName.value(name);
    if (!control || !setCaption(control, QString::fromUtf8(entry.caption))) missing << name;
  }
  return missing;
}

std::vector<QObject*> LanguageTexts::captionedControls(const MainControls& c) {
  std::vector<QObject*> list = {
      c.lblTpP,      c.lblZeitEinheit, c.Frame2,  c.Label7,  c.chkAlarm,      c.chkActive,
      c.cmdReset,    c.cmdCLS,         c.lblVal,  c.lblACDC, c.Frame4,        c.Label6,
      c.Label8,      c.chkAutoScale,   c.Frame1,  c.Frame3,  c.Label3,        c.lblAkt,
      c.Label1,      c.lblStart,       c.Label5,  c.lblLauf, c.Label4,        c.lblAbbr,
      c.mnuFileMain, c.mnuEdit,        c.mnuHelp, c.mnuInfo, c.mnuRecordings, c.mnuPublish,
      c.mnuReview};
  addAll(list, c.optDrawStyle);
  addAll(list, c.optColor);
  addAll(list, c.mnuFile);
  addAll(list, c.mnuFileLoad);
  addAll(list, c.mnuFileSave);
  addAll(list, c.mnuPrint);
  for (const auto& [index, action] : c.mnuFile2) list.push_back(action);
  addAll(list, c.mnuCopy);
  return list;
}

QStringList makeLang(const MainControls& controls, int langCode) {
  if (!InterfaceLanguage::isEnglish(langCode)) return {};
  return LanguageTexts::applyCaptions(LanguageTexts::captionedControls(controls),
                                      frmMainEnglishCaptions());
}

}  // namespace kelvor
