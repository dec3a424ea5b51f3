// The captions chosen at run time by the interface language: one control per window.
#include "ui/mainwindow/LanguageTexts.h"

#include <gtest/gtest.h>
#include <QMainWindow>
#include <QPushButton>
#include <tuple>

#include "ui/dialogs/frmPrtDlg.h"
#include "ui/mainwindow/MainControls.h"
#include "ui/printing/PrinterChoice.h"

namespace kelvor {
namespace {

TEST(LanguageTexts, EnglishCaptionsForLanguageCodesOneAndTwo) {
  for (const auto& [langCode, main, printer] : {std::tuple{0, "&Löschen", "&Einstellungen"},
                                                {1, "&Erase", "&Settings"},
                                                {2, "&Erase", "&Settings"}}) {
    SCOPED_TRACE(langCode);
    QMainWindow window;
    const MainControls controls = MainControls::build(&window);
    EXPECT_EQ(makeLang(controls, langCode), QStringList()) << "every name found its control";
    EXPECT_EQ(controls.cmdCLS->text(), QString::fromUtf8(main));
    PrintOptions options;
    PrinterChoice choice;
    EXPECT_EQ(frmPrtDlg(langCode, options, choice).cmdSettings->text(), QString::fromUtf8(printer));
  }
}

}  // namespace
}  // namespace kelvor
