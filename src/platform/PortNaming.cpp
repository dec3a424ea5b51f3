// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PortNaming.h"

#include "core/acquisition/HidCables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/acquisition/PortTable.h"
#include "core/network/NetworkAddress.h"

namespace kelvor {

QString PortNaming::portsFolder() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(config).filePath(QStringLiteral("Kelvor/ports"));
}

QString PortNaming::linkPath(int portNumber) {
  return QDir(portsFolder()).filePath(QString::fromStdString(portName(portNumber)));
}

QString PortNaming::devicePath(int portNumber) {
  const QString link = linkPath(portNumber);
  if (QFileInfo(link).isSymLink() || QFileInfo::exists(link)) return link;
  const std::string fixed = fixedDeviceForPort(portNumber);
  return fixed.empty() ? link : QString::fromStdString(fixed);
}

QString PortNaming::networkAddress(int portNumber) {
  constexpr qint64 MaxAddressBytes = 1024;
  const QFileInfo link(linkPath(portNumber));
  if (link.isSymLink() || !link.isFile() || link.size() > MaxAddressBytes) return {};
  QFile file(link.filePath());
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromUtf8(file.readAll()).trimmed();
  const std::string address = text.toStdString();
  return looksLikeNetworkAddress(address) || parseHidAddress(address) ? text : QString();
}

}  // namespace kelvor
