// SPDX-License-Identifier: GPL-3.0-or-later
// Kelvor: a long-time recorder for digital multimeters with a serial interface.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "core/settings/ProgramContext.h"
#include "core/settings/ProgramVersion.h"
#include "core/text/PathText.h"
#include "platform/StopSignals.h"
#include "platform/SystemClock.h"
#include "ui/automation/ProbeServer.h"
#include "ui/mainwindow/MainWindow.h"

int main(int argc, char* argv[]) {
  // Answered before anything needs a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("kelvor %s\n", kelvor::ProgramVersion::current().number().c_str());
      return 0;
    }
  }
  kelvor::StopSignals::block();  // before any thread starts
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Kelvor"));
  QApplication::setApplicationName(QStringLiteral("Kelvor"));

  kelvor::ProgramContext context;
  context.AppDir =
      kelvor::withoutTrailingSeparator(QApplication::applicationDirPath().toStdString());
  kelvor::ProbeServer::startFromEnvironment(&app);

  kelvor::SystemClock clock;
  kelvor::MainWindow window(context, clock);
  window.startUp();
  // A logout's SIGTERM or a Ctrl+C ends the program as the close box does.
  const kelvor::StopSignals stop([&window](int) { window.closeUnattended(); });
  return QApplication::exec();
}
