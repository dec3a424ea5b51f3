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
    qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
    QDir(dir_.path()).mkpath(QStringLiteral("Kelvor/ports"));
  }
  ~ConfigHome() {
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
  }  // not copied: the folder is its own

  QString filePath(const QString& name) const { return dir_.filePath(name); }
  bool link(int port, const PseudoTerminal& meter) const {
    return QFile::link(meter.slavePath(), filePath(QStringLiteral("Kelvor/ports/COM%1").arg(port)));
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace kelvor::testing
