// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PortScanner.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/acquisition/PortTable.h"
#include "platform/PortNaming.h"
#include "platform/TerminalDevice.h"

namespace kelvor {

namespace {

// How far up from a tty's device the adapter's USB device is looked for: a USB serial
// adapter sits three levels up (port, interface, device), a modem-class one two.
constexpr int DescriptionLevels = 4;

QString firstLine(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readLine(256)).trimmed();
}

}  // namespace

QString PresentPort::itemText() const {
  QString inner = device;
  if (!description.isEmpty()) inner += QStringLiteral(", ") + description;
  return QStringLiteral("COM%1 (%2)").arg(number).arg(inner);
}

PortScanner::PortScanner() : PortScanner(PortNaming::portsFolder(), QStringLiteral("/")) {}

PortScanner::PortScanner(QString portsFolder, QString rootFolder)
    : portsFolder_(std::move(portsFolder)), root_(std::move(rootFolder)) {}

std::vector<PresentPort> PortScanner::presentPorts() const {
  std::vector<PresentPort> ports;
  for (int n = FirstPort; n <= LastPort; ++n)
    if (std::optional<PresentPort> port = probe(n)) ports.push_back(*port);
  return ports;
}

std::optional<PresentPort> PortScanner::probe(int number) const {
  PresentPort port;
  port.number = number;
  const QFileInfo link(QDir(portsFolder_).filePath(QString::fromStdString(portName(number))));
  if (link.isSymLink() || link.exists()) {
    // exists() follows the link: a link to nothing is a port that is not there.
    if (!link.exists()) return std::nullopt;
    // Only a terminal can be a meter's port; a link to anything else is a slip.
    if (!mayBeTerminal(link.absoluteFilePath())) return std::nullopt;
    port.device = link.isSymLink() ? link.symLinkTarget() : link.absoluteFilePath();
    port.description = descriptionOf(QFileInfo(link.canonicalFilePath()).fileName());
    return port;
  }
  const QString fixed = QString::fromStdString(fixedDeviceForPort(number));
  if (fixed.isEmpty() || !QFileInfo::exists(underRoot(fixed))) return std::nullopt;
  const QString name = QFileInfo(fixed).fileName();
  if (uartSlotEmpty(name)) return std::nullopt;
  port.device = fixed;
  port.description = descriptionOf(name);
  return port;
}

QString PortScanner::underRoot(const QString& absolutePath) const {
  return QDir(root_).filePath(absolutePath.mid(1));
}

bool PortScanner::mayBeTerminal(const QString& path) const {
  if (TerminalDevice::pathError(path) != 0) return false;
  // The kernel's class of the character device, where it has one (pseudo-terminals have
  // none); looking does not open the device, which would change its control lines.
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return false;
  const QString subsystem = QFileInfo(underRoot(QStringLiteral("/sys/dev/char/%1:%2/subsystem")
                                                    .arg(major(info.st_rdev))
                                                    .arg(minor(info.st_rdev))))
                                .canonicalFilePath();
  return subsystem.isEmpty() || QFileInfo(subsystem).fileName() == QLatin1String("tty");
}

bool PortScanner::uartSlotEmpty(const QString& deviceName) const {
  const QString type =
      firstLine(underRoot(QStringLiteral("/sys/class/tty/%1/type").arg(deviceName)));
  return type == QLatin1String("0");
}

QString PortScanner::descriptionOf(const QString& deviceName) const {
  if (deviceName.isEmpty()) return {};
  const QString device =
      QFileInfo(underRoot(QStringLiteral("/sys/class/tty/%1/device").arg(deviceName)))
          .canonicalFilePath();
  if (device.isEmpty()) return {};
  QDir dir(device);
  for (int level = 0; level < DescriptionLevels; ++level) {
    const QString product = firstLine(dir.filePath(QStringLiteral("product")));
    if (!product.isEmpty()) {
      const QString maker = firstLine(dir.filePath(QStringLiteral("manufacturer")));
      if (maker.isEmpty() || product.contains(maker, Qt::CaseInsensitive)) return product;
      return maker + QLatin1Char(' ') + product;
    }
    if (!dir.cdUp()) break;
  }
  return {};
}

}  // namespace kelvor
