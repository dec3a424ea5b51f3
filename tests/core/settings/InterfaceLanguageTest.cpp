#include "core/settings/InterfaceLanguage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kelvor {
namespace {

using namespace InterfaceLanguage;

TEST(InterfaceLanguage, OnlyFourIdentifiersAreGerman) {
  struct Case {
    int languageId;
    int langCode;
  };
  const std::vector<Case> cases = {
      {1031, 0}, {1070, 0}, {2055, 0}, {3079, 0},  // German, Upper Sorbian
      {1060, 2},                                   // Slovenian
      {1033, 1}, {2057, 1}, {4103, 1}, {5127, 1},  // English; German in Luxembourg, Liechtenstein
      {2094, 1}, {1036, 1}, {127, 1},  {4096, 1}, {0, 1}, {65535, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.languageId);
    EXPECT_EQ(langCodeFor(c.languageId), c.langCode);
  }
}

TEST(InterfaceLanguage, FileFilterFollowsTheLanguage) {
  EXPECT_EQ(fileFilterFor(0), "Kelvor-Dateien(*.kvr)|*.kvr|Alle Dateien(*.*)|*.*");
  EXPECT_EQ(fileFilterFor(1), "Kelvor-Files(*.kvr)|*.kvr|All Files(*.*)|*.*");
  EXPECT_EQ(fileFilterFor(2), "Kelvor-Files(*.kvr)|*.kvr|All Files(*.*)|*.*");
}

TEST(InterfaceLanguage, MainWindowTableNamesEachControlOnce) {
  std::set<std::string> names;
  for (const CaptionText& entry : frmMainEnglishCaptions()) {
    SCOPED_TRACE(entry.objectName);
    EXPECT_TRUE(names.insert(entry.objectName).second);
    EXPECT_NE(std::string(entry.caption), "");
  }
  EXPECT_EQ(names.size(), 38u);
}

}  // namespace
}  // namespace kelvor
