// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <termios.h>

#include <QString>
#include <string>

#include "core/acquisition/LineSettings.h"
#include "core/acquisition/SerialLink.h"

namespace kelvor {

// The serial line to the meter: the meter's character format at the chosen rate (7 data
// bits, no parity, 2 stop bits unless told otherwise), its control lines (DTR high and RTS
// low: the interface cable draws its power from them), exclusive access, non-blocking reads
// of what has arrived.
class LocalSerialLink : public SerialLink {
 public:
  struct OpenResult {
    bool ok = false;
    int errorCode = 0;   // the operating system's error number when !ok
    QString devicePath;  // what was opened
    QString errorText;   // the system's description of errorCode
    QString note;        // opened, with something the user should know
  };

  LocalSerialLink() = default;
  ~LocalSerialLink() override;
  LocalSerialLink(const LocalSerialLink&) = delete;
  LocalSerialLink& operator=(const LocalSerialLink&) = delete;

  // Opens the device that the port number maps to and configures it. Does not close a
  // port that is already open: callers close first. A path that is not a terminal is
  // refused with ENOTTY before anything is written to it or set on it; a baud rate the line
  // cannot be set to with EINVAL, and a line setting the device refuses with its reason.
  OpenResult openPort(int port, int baud) { return openPort(port, LineSettings{baud}); }
  OpenResult openPort(int port, const LineSettings& line);
  // Opens exactly `devicePath` (its links followed), never what a port number maps to;
  // reopen() opens this path again.
  OpenResult openFixedDevice(const QString& devicePath, const LineSettings& line);
  // Opens a device path directly (the port number only names it in messages).
  OpenResult openDevice(const QString& devicePath, int baud) {
    return openDevice(devicePath, LineSettings{baud});
  }
  OpenResult openDevice(const QString& devicePath, const LineSettings& line);
  void closePort() override;
  bool isOpen() const override { return PortHandle >= 0; }
  bool failed() const override { return failed_; }
  // Opens the port number (or fixed device) and rate of the last open again, without any
  // message; not after the port was found to be no terminal.
  bool reopen() override;

  bool writePort(std::string_view text) override;
  std::string readPort() override;
  void discardInput() override;

  // File descriptor of the open port; -1 while closed.
  int PortHandle = -1;

  static constexpr std::size_t MaxReadBytes = 32;

  // The line settings the meter needs, applied to a device's current settings: raw, 7 data
  // bits, no parity, 2 stop bits, no flow control, reads that never wait; the rate when the
  // line knows it, else the device's own.
  static termios meterLineSettings(const termios& current, int baud) {
    return meterLineSettings(current, LineSettings{baud});
  }
  // The same with the meter's own data bits, parity and stop bits.
  static termios meterLineSettings(const termios& current, const LineSettings& line);
  // Sets up the open terminal `fd` for the meter and its control lines; 0, or the error
  // number of the device's refusal when it does not run at the rate or does not read raw.
  static int applyLine(int fd, const LineSettings& line);

 private:
  // Remembers whether an I/O error means the device is gone.
  void noteError(int error);
  // Fills in a failed open's error; remembers whether the path was no terminal.
  OpenResult& refused(OpenResult& result, int error);

  bool failed_ = false;
  int lastPort_ = 0;
  LineSettings lastLine_;
  QString lastDevice_;  // empty: the port number's device of the moment
  bool hasLastPort_ = false;
  bool notTerminal_ = false;  // the last open found no terminal at the port's path
};

}  // namespace kelvor
