// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include "support/ConfigHome.h"
#include "support/FakeClock.h"
#include "support/TraceStoreFill.h"
#include "ui/commands/TraceFileCommands.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/printing/PrintCommands.h"

namespace kelvor::testing {

inline bool busy() {
  return QApplication::overrideCursor() &&
         QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

// The real main window, started with its own settings folder and a pseudo-terminal as COM1
// (so it opens its port without a message) and traces in channels 0 to 2, with file and
// print commands that collect their messages, marked when shown under the hourglass, and
// a folder for files.
class StartedMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.link(1, meter));
    window.startUp();
    for (int ch = 0; ch < 3; ++ch)
      fillChannel(window.traces(), ch, {{0.2f, 6}, {0.2f + 0.4f * ch, 600}});
  }

  PseudoTerminal meter;
  ConfigHome home;
  FakeClock clock{20793LL * 86400 + 9 * 3600};
  ProgramContext context;
  MainWindow window{context, clock};
  QTemporaryDir files;
  QStringList messages;
  PrintCommands::MessageSink report = [this](QWidget*, const QString& text) {
    messages << text + (busy() ? "+busy" : "");
  };
  TraceFileCommands traceFiles{
      window.traces(), window.recording(), window.recorder(), window.scope(), context, &window,
      report};
  PrintCommands print{window.traces(), window.scope(), window.printOptions(), &window, report};
};

}  // namespace kelvor::testing
