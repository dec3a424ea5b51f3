#include "ui/LanguageTexts.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <map>
#include <ostream>
#include <vector>

#include "core/settings/InterfaceLanguage.h"
#include "ui/MainControls.h"

// Readable failure messages for Qt texts.
static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kelvor {
namespace {

// Every caption of the window by object name: labels, buttons, frames, menus, menu items.
std::map<QString, QString> captions(const QMainWindow& window) {
  std::map<QString, QString> all;
  for (QObject* object : window.findChildren<QObject*>()) {
    const QString name = object->objectName();
    if (name.isEmpty()) continue;
    if (auto* label = qobject_cast<QLabel*>(object)) all[name] = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object)) all[name] = button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(object)) all[name] = frame->title();
    if (auto* action = qobject_cast<QAction*>(object)) all[name] = action->text();
    if (auto* menu = qobject_cast<QMenu*>(object)) all[name] = menu->title();
  }
  return all;
}

// The English captions, written out here on their own so that a slip in the program's
// table shows.
const std::map<QString, QString>& english() {
  static const std::map<QString, QString> texts = {
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
      {"mnuFileMainMenu", "&File"},
      {"mnuFile(0)", "&Open"},
      {"mnuFileLoadMenu", "&Open"},
      {"mnuFileLoad(0)", "&Green"},
      {"mnuFileLoad(1)", "&Red"},
      {"mnuFileLoad(2)", "&Margenta"},
      {"mnuFileLoad(3)", "&Blue"},
      {"mnuFileLoad(4)", "&Cyan"},
      {"mnuFileLoad(5)", "&Yellow"},
      {"mnuFile(1)", "&Save"},
      {"mnuFileSaveMenu", "&Save"},
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
      {"mnuEditMenu", "&Edit"},
      {"mnuCopy(0)", "Copy diagram colored"},
      {"mnuCopy(1)", "Copy diagram s/w"},
      {"mnuHelp", "&Help"},
      {"mnuHelpMenu", "&Help"},
      {"mnuInfo", "&Info"},
  };
  return texts;
}

TEST(LanguageTexts, SystemLanguageDecidesCaptionsAndFileFilter) {
  struct Case {
    int languageId;
    bool english;
  };
  const std::vector<Case> cases = {{1031, false}, {2055, false}, {3079, false}, {1070, false},
                                   {1060, true},  {1033, true},  {4103, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.languageId);
    QMainWindow window;
    const MainControls controls = MainControls::build(&window);
    const std::map<QString, QString> german = captions(window);

    const int langCode = InterfaceLanguage::langCodeFor(c.languageId);
    EXPECT_EQ(makeLang(controls, langCode), QStringList());

    const std::map<QString, QString> shown = captions(window);
    ASSERT_EQ(shown.size(), german.size());
    for (const auto& [name, caption] : shown) {
      SCOPED_TRACE(name.toStdString());
      const auto translated = english().find(name);
      if (c.english && translated != english().end()) {
        EXPECT_EQ(caption, translated->second);
      } else {
        EXPECT_EQ(caption, german.at(name));  // nothing else changes
      }
    }
    EXPECT_EQ(InterfaceLanguage::fileFilterFor(langCode),
              c.english ? "Kelvor-Files(*.kvr)|*.kvr|All Files(*.*)|*.*"
                        : "Kelvor-Dateien(*.kvr)|*.kvr|Alle Dateien(*.*)|*.*");
    EXPECT_EQ(langCode, !c.english ? 0 : c.languageId == 1060 ? 2 : 1);
  }
}

TEST(LanguageTexts, GermanCaptionsThatStayInEveryLanguage) {
  QMainWindow window;
  const MainControls controls = MainControls::build(&window);
  makeLang(controls, InterfaceLanguage::English);
  const std::map<QString, QString> shown = captions(window);
  EXPECT_EQ(shown.at("Label6"), QLatin1String("Y-Mi&n:"));
  EXPECT_EQ(shown.at("Label8"), QLatin1String("Y-Ma&x:"));
  EXPECT_EQ(shown.at("mnuFile2(4)"), QLatin1String("COM-P&ort"));
  EXPECT_EQ(shown.at("cmdReset"), QLatin1String("&Reset"));
}

TEST(LanguageTexts, NamesThatMatchNoControlAreReported) {
  QMainWindow window;
  const MainControls controls = MainControls::build(&window);
  const std::vector<InterfaceLanguage::CaptionText> table = {
      {"Label1", "Start:"}, {"Label99", "Nowhere"}, {"picScope", "not captioned"}};
  EXPECT_EQ(LanguageTexts::applyCaptions(LanguageTexts::captionedControls(controls), table),
            (QStringList{"Label99", "picScope"}));
  EXPECT_EQ(controls.Label1->text(), QLatin1String("Start:"));
}

}  // namespace
}  // namespace kelvor
