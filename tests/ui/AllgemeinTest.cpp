#include "ui/Allgemein.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kelvor {
namespace {

TEST(Allgemein, CentreFormOverTheScreenOrAReference) {
  QWidget window;
  window.resize(300, 200);
  Allgemein::CentreForm(&window);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_NEAR(window.frameGeometry().center().x(), screen.center().x(), 1);
  EXPECT_NEAR(window.frameGeometry().center().y(), screen.center().y(), 1);
  EXPECT_EQ(window.size(), QSize(300, 200));

  QWidget reference;
  reference.setGeometry(1000, 700, 400, 300);
  Allgemein::CentreForm(&window, &reference);
  EXPECT_NEAR(window.frameGeometry().center().x(), reference.frameGeometry().center().x(), 1);
  EXPECT_NEAR(window.frameGeometry().center().y(), reference.frameGeometry().center().y(), 1);
}

TEST(Allgemein, MousePointerNeverStaysStacked) {
  Allgemein::SetMousePointer(Allgemein::Hourglass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Allgemein::SetMousePointer(Allgemein::Hourglass);
  Allgemein::SetMousePointer(Allgemein::DefaultPointer);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace kelvor
