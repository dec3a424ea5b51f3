#include "core/settings/InterfaceLanguage.h"

namespace kelvor::InterfaceLanguage {

int langCodeFor(int languageId) {
  switch (languageId) {
    case 1031:  // German (Germany)
    case 1070:  // Upper Sorbian (Germany)
    case 2055:  // German (Switzerland)
    case 3079:  // German (Austria)
      return German;
    case 1060:  // Slovenian (Slovenia)
      return EnglishFor1060;
    default:
      return English;
  }
}

bool isEnglish(int langCode) {
  return langCode == English || langCode == EnglishFor1060;
}

std::string fileFilterFor(int langCode) {
  if (isEnglish(langCode)) return "Kelvor-Files(*.kvr)|*.kvr|All Files(*.*)|*.*";
  return "Kelvor-Dateien(*.kvr)|*.kvr|Alle Dateien(*.*)|*.*";
}

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

}  // namespace kelvor::InterfaceLanguage
