// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "platform/HidrawPorts.h"

namespace kelvor::testing {

// hidraw nodes as sysfs lists them, in folders of the test's own: each node's device has a
// uevent file, and a plain file stands at its device path.
class FakeHidrawNodes {
 public:
  // "hidraw3", "HID_ID=0003:000010C4:0000EA80\nHID_UNIQ=\n"
  bool add(const QString& name, const QByteArray& uevent) {
    QDir(sys_.path()).mkpath(name + QStringLiteral("/device"));
    QFile file(sys_.filePath(name + QStringLiteral("/device/uevent")));
    QFile device(dev_.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(uevent) == uevent.size() &&
           device.open(QIODevice::WriteOnly);
  }
  HidrawPorts ports() const { return HidrawPorts(sys_.path().toStdString(), devFolder()); }
  std::string devFolder() const { return dev_.path().toStdString(); }

 private:
  QTemporaryDir sys_, dev_;
};

}  // namespace kelvor::testing
