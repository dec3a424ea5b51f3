// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtTranslations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include "core/settings/InterfaceLanguage.h"

namespace kelvor {
namespace {

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
