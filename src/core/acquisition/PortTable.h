// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/acquisition/PortConfig.h"

namespace kelvor {

// The fixed part of the port numbering on Linux: COM1-32 are /dev/ttyS0-31, COM33-64
// /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31, COM97-128 /dev/ttyAMA0-31. Empty for any
// other number. A link in the user's ports folder takes precedence (see PortNaming).
std::string fixedDeviceForPort(int portNumber);

// "COM" followed by the number in decimal: "COM12".
std::string portName(int portNumber);

// The open-failure message: "Error 2 opening COM3".
std::string openErrorText(int errorCode, int portNumber);
// The same for a port by its name: "Error 111 opening tcp://bench:4001".
std::string openErrorText(int errorCode, const std::string& port);

// What the user chose as the port: the network address, else "COMn".
std::string portLabel(const PortConfig& config);
// The meter's name in journal file names, MQTT topics, titles and messages: "COMn", or the
// network address in a form that file names and topics take as it is, one per address:
// "tcp://127.0.0.1:4001" is "tcp-127.0.0.1-4001", "rfc2217://[::1]:4001" "rfc2217-..1-4001".
std::string meterName(const PortConfig& config);

}  // namespace kelvor
