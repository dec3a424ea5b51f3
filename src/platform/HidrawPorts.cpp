// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HidrawPorts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace kelvor {

std::vector<HidrawNode> HidrawPorts::nodes() const {
  std::vector<HidrawNode> found;
  const QDir folder(QString::fromStdString(classFolder_));
  for (const QString& name : folder.entryList({QStringLiteral("hidraw*")}, QDir::AllEntries)) {
    QFile uevent(folder.filePath(name + QStringLiteral("/device/uevent")));
    if (!uevent.open(QIODevice::ReadOnly)) continue;
    const QByteArray text = uevent.read(4096);
    if (const auto address = hidAddressOfUevent(std::string_view(text.data(), text.size())))
      found.push_back({devFolder_ + "/" + name.toStdString(), *address});
  }
  // hidraw10 after hidraw9
  std::sort(found.begin(), found.end(), [](const HidrawNode& a, const HidrawNode& b) {
    return std::pair(a.devicePath.size(), a.devicePath) <
           std::pair(b.devicePath.size(), b.devicePath);
  });
  return found;
}

std::vector<HidrawNode> HidrawPorts::cables() const {
  std::vector<HidrawNode> found = nodes();
  found.erase(std::remove_if(found.begin(), found.end(),
                             [](const HidrawNode& node) {
                               return !hidCableWithIds(node.address.vendorId,
                                                       node.address.productId);
                             }),
              found.end());
  return found;
}

std::optional<std::string> HidrawPorts::nodeOf(const HidAddress& address) const {
  for (const HidrawNode& node : nodes()) {
    const HidAddress& at = node.address;
    if (at.vendorId == address.vendorId && at.productId == address.productId &&
        (address.serial.empty() || at.serial == address.serial))
      return node.devicePath;
  }
  return std::nullopt;
}

std::optional<HidAddress> HidrawPorts::addressOf(const std::string& devicePath) const {
  const std::string name =
      QFileInfo(QFileInfo(QString::fromStdString(devicePath)).canonicalFilePath())
          .fileName()
          .toStdString();
  for (const HidrawNode& node : nodes())
    if (QFileInfo(QString::fromStdString(node.devicePath)).fileName().toStdString() == name &&
        !name.empty())
      return node.address;
  return std::nullopt;
}

}  // namespace kelvor
