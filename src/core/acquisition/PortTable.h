#pragma once

#include <string>

namespace kelvor {

// The fixed part of the port numbering on Linux: COM1-32 are /dev/ttyS0-31, COM33-64
// /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31, COM97-128 /dev/ttyAMA0-31. Empty for any
// other number. A link in the user's ports folder takes precedence (see PortNaming).
std::string fixedDeviceForPort(int portNumber);

// "COM" followed by the number in decimal: "COM12".
std::string portName(int portNumber);

// The open-failure message: "Error 2 opening COM3".
std::string openErrorText(int errorCode, int portNumber);

}  // namespace kelvor
