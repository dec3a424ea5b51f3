#pragma once

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "core/settings/AppGlobals.h"
#include "support/FakeClock.h"
#include "support/PseudoTerminal.h"
#include "ui/frmMain.h"

namespace kelvor::testing {

// The real main window, started with its own settings folder and a pseudo-terminal as
// COM1, so it opens its port without a message. Tests derive and call startWindow().
class StartedMainWindow : public ::testing::Test {
 protected:
  static constexpr LocalSeconds Morning = 20793LL * 86400 + 9 * 3600;

  void startWindow() {
    ASSERT_TRUE(home.isValid());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Kelvor/ports")));
    ASSERT_TRUE(QFile::link(meter.slavePath(), home.filePath(QStringLiteral("Kelvor/ports/COM1"))));
    window = std::make_unique<frmMain>(globals, clock);
    window->Form_Load();
  }
  void closeWindow() {
    window.reset();
    qunsetenv("XDG_CONFIG_HOME");
  }

  QTemporaryDir home;
  PseudoTerminal meter;
  FakeClock clock{Morning};
  AppGlobals globals;
  std::unique_ptr<frmMain> window;
};

}  // namespace kelvor::testing
