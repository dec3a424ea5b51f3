#include "ui/frmAbout.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <vector>

namespace kelvor {
namespace {

TEST(frmAbout, ShowsNameVersionAndBuild) {
  struct Case {
    ProgramVersion version;
    const char* app;
    const char* build;
  };
  const std::vector<Case> cases = {{{1, 8, 146}, "Kelvor V1.08", "Build 146"},
                                   {{1, 8, 7}, "Kelvor V1.08", "Build 007"},
                                   {{2, 10, 0}, "Kelvor V2.10", "Build 000"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.app);
    const frmAbout about(nullptr, c.version);
    EXPECT_EQ(about.findChild<QLabel*>("lblApp")->text(), QLatin1String(c.app));
    EXPECT_EQ(about.findChild<QLabel*>("lblBuild")->text(), QLatin1String(c.build));
  }
}

TEST(frmAbout, BuiltVersionInTheSameForm) {
  const frmAbout about;
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Kelvor V\\d+\\.\\d\\d+$"))
                  .match(about.lblApp->text())
                  .hasMatch())
      << about.lblApp->text().toStdString();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Build \\d{3,}$"))
                  .match(about.lblBuild->text())
                  .hasMatch())
      << about.lblBuild->text().toStdString();
}

TEST(frmAbout, CaptionsAndContactLines) {
  const frmAbout about;
  EXPECT_EQ(about.objectName(), QLatin1String("frmAbout"));
  EXPECT_EQ(about.windowTitle(), QLatin1String("Information"));
  EXPECT_EQ(about.findChild<QGroupBox*>("frameDev")->title(), QLatin1String("Entwicklung"));
  EXPECT_EQ(about.findChild<QLabel*>("Label1(0)")->text(),
            QLatin1String("https://kelvor.example.org"));
  EXPECT_EQ(about.findChild<QLabel*>("Label1(0)")->parent(), about.frameDev);
  EXPECT_EQ(about.findChild<QPushButton*>("cmdCopyHome")->text(),
            QLatin1String("Copy link to Clipboard"));
  EXPECT_EQ(about.findChild<QPushButton*>("cmdOK")->text(), QLatin1String("OK"));
}

TEST(frmAbout, CopiesTheLinkAsPlainText) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("something else"));
  frmAbout about;
  about.cmdCopyHome->click();
  EXPECT_EQ(clipboard->text(), QLatin1String("https://kelvor.example.org"));
  ASSERT_NE(clipboard->mimeData(), nullptr);
  EXPECT_EQ(clipboard->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
}

TEST(frmAbout, OkClosesTheBox) {
  frmAbout about;
  about.show();
  about.cmdOK->click();
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace kelvor
