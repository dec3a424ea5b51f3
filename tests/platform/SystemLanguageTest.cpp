// The interface language from the system locale, and Qt's own texts in it.
#include "platform/SystemLanguage.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <vector>

#include "core/settings/InterfaceLanguage.h"
#include "platform/QtTranslations.h"

namespace kelvor {
namespace {

TEST(SystemLanguage, LocalesBecomeLanguageIdentifiers) {
  struct Case {
    const char* locale;
    int languageId;
    int langCode;
  };
  // One row per rule: German, its regional identifiers, the Sorbian and Slovenian exceptions,
  // English and anything else.
  const std::vector<Case> cases = {
      {"de", 1031, 0},    {"de_CH", 2055, 0},  {"hsb_DE", 1070, 0},
      {"de_LU", 4103, 1}, {"dsb_DE", 2094, 1}, {"sl_SI", 1060, 2},
      {"en_GB", 2057, 1}, {"fr_FR", 1036, 1},  {"C", 127, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    const int id = SystemLanguage::languageIdFor(QLocale(QString::fromLatin1(c.locale)));
    EXPECT_EQ(id, c.languageId);
    EXPECT_EQ(InterfaceLanguage::langCodeFor(id), c.langCode);
  }
}

// German gets Qt's German texts; English, or translations that cannot be found, leave Qt's
// own English ones.
TEST(QtTranslations, GermanOnlyAndOnlyWhereFound) {
  struct Case {
    int langCode;
    QString folder;
    int installed;
    const char* open;
  };
  for (const Case& c :
       {Case{InterfaceLanguage::German, QtTranslations::defaultFolder(), 2, "Öffnen"},
        Case{InterfaceLanguage::English, QtTranslations::defaultFolder(), 0, "Open"},
        Case{InterfaceLanguage::German, QStringLiteral("/nonexistent"), 0, "Open"}}) {
    SCOPED_TRACE(c.langCode);
    EXPECT_EQ(QtTranslations::install(c.langCode, c.folder), c.installed);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), QString::fromUtf8(c.open));
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
  }
}

}  // namespace
}  // namespace kelvor
