// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemLanguage.h"

#include <gtest/gtest.h>
#include <QLocale>
#include <vector>

#include "core/settings/InterfaceLanguage.h"

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

}  // namespace
}  // namespace kelvor
