// SPDX-License-Identifier: GPL-3.0-or-later
// Test entry point for everything that needs a Qt application object.
// Windows are created on Qt's offscreen platform unless the caller chose another.
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
