// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

enum class Parity { None, Odd, Even };

// How the serial line to a meter is set up: the character format and the two control lines
// that many interface cables draw their power from.
struct LineSettings {
  int baud = 1200;
  int dataBits = 7;
  Parity parity = Parity::None;
  int stopBits = 2;
  bool dtr = true;
  bool rts = false;

  bool operator==(const LineSettings& other) const {
    return baud == other.baud && dataBits == other.dataBits && parity == other.parity &&
           stopBits == other.stopBits && dtr == other.dtr && rts == other.rts;
  }
};

// "2400 8N1", "19200 7O1": the rate and character format as meter manuals write them.
inline char parityLetter(Parity parity) {
  return parity == Parity::None ? 'N' : parity == Parity::Odd ? 'O' : 'E';
}

}  // namespace kelvor
