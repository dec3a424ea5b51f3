#include "platform/PortScanner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/acquisition/PortTable.h"
#include "platform/PortNaming.h"

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
