// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace kelvor {

// A serial port that is present now: its number n ("COMn"), the device it leads to and,
// when the system knows it, the adapter's description.
struct PresentPort {
  int number = 0;
  QString device;       // the link's target, or the device of the fixed table
  QString description;  // e.g. "FTDI FT232R USB UART"; empty when unknown

  // "COM5 (/dev/ttyUSB0)" or "COM5 (/dev/ttyUSB0, FTDI FT232R USB UART)".
  QString itemText() const;
};

// Finds the present ports among COM1 to COM256 by the port numbering of PortNaming: a link
// in the ports folder decides its number alone (a dangling link, or a link to something that
// cannot be a terminal, such as a file, a folder or /dev/null, makes the port absent); without
// a link the fixed device table applies. A built-in UART slot that the kernel reports as
// having no UART (type 0) is not present.
class PortScanner {
 public:
  static constexpr int FirstPort = 1;
  static constexpr int LastPort = 256;

  // The user's ports folder, the real /dev and /sys.
  PortScanner();
  // Another ports folder, and another root under which the fixed devices ("dev/ttyS0") and
  // the kernel's device tree ("sys/class/tty") are looked up.
  PortScanner(QString portsFolder, QString rootFolder);

  // The present ports in rising order.
  std::vector<PresentPort> presentPorts() const;

 private:
  std::optional<PresentPort> probe(int number) const;
  QString underRoot(const QString& absolutePath) const;
  bool mayBeTerminal(const QString& path) const;
  bool uartSlotEmpty(const QString& deviceName) const;
  QString descriptionOf(const QString& deviceName) const;

  QString portsFolder_;
  QString root_;
};

}  // namespace kelvor
