// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelvor {

// Resolves a port number n ("COMn") to a device path. A symbolic link
// <user config dir>/Kelvor/ports/COMn takes precedence (a user, a test or the meter
// simulator maps any device to a number this way); otherwise the fixed device table applies.
class PortNaming {
 public:
  // The folder of the port links: <user config dir>/Kelvor/ports.
  static QString portsFolder();
  // The link path for a port number, whether it exists or not.
  static QString linkPath(int portNumber);
  // The device to open: the link when present (even a dangling one), else the fixed table
  // entry, else the link path (which then does not exist, so opening reports "not found").
  static QString devicePath(int portNumber);
  // The network address a port's link names when the link is a text file holding one
  // ("rfc2217://HOST:PORT", "tcp://HOST:PORT", or something malformed that looks like it);
  // empty for a symbolic link, a device or no link.
  static QString networkAddress(int portNumber);
};

}  // namespace kelvor
