// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/PortTable.h"

#include "core/acquisition/HidCables.h"

#include <array>

namespace kelvor {

namespace {
struct DeviceBlock {
  int firstPort;
  const char* devicePrefix;
};
constexpr int PortsPerBlock = 32;
constexpr std::array<DeviceBlock, 4> Blocks{{
    {1, "/dev/ttyS"},
    {33, "/dev/ttyUSB"},
    {65, "/dev/ttyACM"},
    {97, "/dev/ttyAMA"},
}};
}  // namespace

std::string fixedDeviceForPort(int portNumber) {
  for (const DeviceBlock& block : Blocks) {
    const int index = portNumber - block.firstPort;
    if (index >= 0 && index < PortsPerBlock) return block.devicePrefix + std::to_string(index);
  }
  return {};
}

std::string portName(int portNumber) {
  return "COM" + std::to_string(portNumber);
}

std::string openErrorText(int errorCode, int portNumber) {
  return openErrorText(errorCode, portName(portNumber));
}

std::string openErrorText(int errorCode, const std::string& port) {
  return "Error " + std::to_string(errorCode) + " opening " + port;
}

std::string portLabel(const PortConfig& config) {
  return config.Address.empty() ? portName(config.ComPort) : config.Address;
}

std::string meterName(const PortConfig& config) {
  const std::string& address = config.Address;
  const std::size_t hostAt = address.find("://");
  const std::size_t portAt = address.rfind(':');
  if (address.empty()) return portName(config.ComPort);
  if (const auto cable = parseHidAddress(address)) return cable->fileName();
  if (hostAt == std::string::npos || portAt < hostAt + 3) return address;  // not an address
  std::string host;
  // An IPv6 host loses its brackets, and its colons become dots.
  for (const char c : address.substr(hostAt + 3, portAt - hostAt - 3))
    if (c != '[' && c != ']') host += c == ':' ? '.' : c;
  return address.substr(0, hostAt) + "-" + host + "-" + address.substr(portAt + 1);
}

}  // namespace kelvor
