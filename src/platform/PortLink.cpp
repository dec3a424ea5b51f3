// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PortLink.h"

#include <cerrno>

#include "core/acquisition/HidCables.h"
#include "core/acquisition/MeterChoice.h"
#include "core/network/NetworkAddress.h"
#include "core/network/TelnetComPort.h"
#include "platform/PortNaming.h"

namespace kelvor {

LocalSerialLink::OpenResult PortLink::open(const PortConfig& config, const QString& fixedDevice) {
  local_.closePort();
  network_.closePort();
  hid_.closePort();
  if (!fixedDevice.isEmpty()) {
    active_ = &local_;
    return local_.openFixedDevice(fixedDevice, lineFor(config));
  }
  const QString text = config.Address.empty() ? PortNaming::networkAddress(config.ComPort)
                                              : QString::fromStdString(config.Address);
  if (text.isEmpty()) {
    active_ = &local_;
    return local_.openPort(config.ComPort, lineFor(config));
  }
  if (const auto cable = parseHidAddress(text.toStdString())) {
    active_ = &hid_;
    return hid_.open(*cable, lineFor(config));
  }
  active_ = &network_;
  const auto address = parseNetworkAddress(text.toStdString());
  if (address) return network_.open(*address, remoteLineSettingsFor(config));
  LocalSerialLink::OpenResult result;
  result.devicePath = text;
  result.errorCode = EINVAL;
  result.errorText = QStringLiteral("not a network address (rfc2217://HOST:PORT, tcp://HOST:PORT)");
  return result;
}

}  // namespace kelvor
