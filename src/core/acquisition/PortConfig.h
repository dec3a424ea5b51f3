// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// The kinds of meter the port can serve. The value is what the settings store keeps; any
// other stored value counts as the four-display meter, as it always has.
enum class MeterKind : int {
  OneFrame = 0,    // one frame per poll
  FourFrames = 1,  // the four-display meter: four frames per poll, the first one counts
};

// The stored port configuration: which port, how fast, which meter.
struct PortConfig {
  int ComPort = 1;     // port number n of "COMn"
  int ComBaud = 1200;  // baud rate
  MeterKind MeterType = MeterKind::OneFrame;
  // A meter model or protocol family by name ("fs9721"); empty: the kind above. Kept apart
  // from the kind so that its stored values keep the meaning they always had.
  std::string Meter = {};
  // A network port ("rfc2217://HOST:PORT", "tcp://…") or a USB-HID cable ("hid:10c4:ea80");
  // "": ComPort.
  std::string Address{};

  // Characters of one complete answer: 14, or 56 for the four frames.
  int frameLength() const { return MeterType == MeterKind::OneFrame ? 14 : 56; }
};

// Whether two configurations talk to the same meter the same way: port, rate and meter.
inline bool sameLine(const PortConfig& a, const PortConfig& b) {
  return a.ComPort == b.ComPort && a.ComBaud == b.ComBaud && a.MeterType == b.MeterType &&
         a.Meter == b.Meter && a.Address == b.Address;
}

// The connection's state at run time.
struct ConnectionState {
  bool PortOpen = false;  // the last attempt to open the port succeeded
};

}  // namespace kelvor
