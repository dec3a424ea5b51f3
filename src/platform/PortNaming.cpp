#include "platform/PortNaming.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/acquisition/PortTable.h"

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

}  // namespace kelvor
