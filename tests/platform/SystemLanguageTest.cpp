// SPDX-License-Identifier: GPL-3.0-or-later
// The interface language from the system locale, and Qt's own texts in it.
#include "platform/SystemLanguage.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <tuple>
#include <vector>

#include "core/settings/InterfaceLanguage.h"
#include "platform/QtTranslations.h"

namespace kelvor {
namespace {

TEST(SystemLanguage, LocalesBecomeLanguageIdentifiers) {
  // Locale, language identifier, interface language. One row per rule: German, its regional
  // identifiers, the Sorbian and Slovenian exceptions, English and anything else.
  using Row = std::tuple<const char*, int, int>;
  for (const auto& [locale, languageId, langCode] :
       {Row{"de", 1031, 0}, Row{"de_CH", 2055, 0}, Row{"hsb_DE", 1070, 0}, Row{"de_LU", 4103, 1},
        Row{"dsb_DE", 2094, 1}, Row{"sl_SI", 1060, 2}, Row{"en_GB", 2057, 1}, Row{"fr_FR", 1036, 1},
        Row{"C", 127, 1}}) {
    const int id = SystemLanguage::languageIdFor(QLocale(QString::fromLatin1(locale)));
    EXPECT_EQ(std::pair(id, InterfaceLanguage::langCodeFor(id)), std::pair(languageId, langCode))
        << locale;
  }
}

// German gets Qt's German texts; English, or translations that cannot be found, leave Qt's
// own English ones.
TEST(QtTranslations, GermanOnlyAndOnlyWhereFound) {
  // Interface language, folder, translations installed, Qt's text for "Open".
  for (const auto& [langCode, folder, installed, open] :
       std::vector<std::tuple<int, QString, int, const char*>>{
           {InterfaceLanguage::German, QtTranslations::defaultFolder(), 2, "Öffnen"},
           {InterfaceLanguage::English, QtTranslations::defaultFolder(), 0, "Open"},
           {InterfaceLanguage::German, QStringLiteral("/nonexistent"), 0, "Open"}}) {
    EXPECT_EQ(QtTranslations::install(langCode, folder), installed) << open;
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), QString::fromUtf8(open));
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
  }
}

}  // namespace
}  // namespace kelvor
