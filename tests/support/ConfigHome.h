// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/PseudoTerminal.h"

namespace kelvor::testing {

// A settings and data folder of the test's own (XDG_CONFIG_HOME, XDG_DATA_HOME: journals)
// while it lives, where meters can be linked as COM ports.
class ConfigHome {
 public:
  ConfigHome() {
    for (const char* name : Variables) qputenv(name, dir_.path().toLocal8Bit());
    QDir(dir_.path()).mkpath(QStringLiteral("Kelvor/ports"));
  }
  // Not copied: the folder is its own.
  ~ConfigHome() {
    for (const char* name : Variables) qunsetenv(name);
  }

  QString filePath(const QString& name) const { return dir_.filePath(name); }
  bool link(int port, const PseudoTerminal& meter) const {
    return QFile::link(meter.slavePath(), filePath(QStringLiteral("Kelvor/ports/COM%1").arg(port)));
  }

 private:
  static constexpr const char* Variables[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME"};
  QTemporaryDir dir_;
};

}  // namespace kelvor::testing
