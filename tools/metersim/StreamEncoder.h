// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kelvor::metersim {

// The protocol families the simulator plays.
enum class Family {
  Single,
  Four,
  Fs9721,
  Fs9922,
  Es51922,
  Ut71x,
  Mm38xr,
  Vc96,
  Ut61ePlus,
  Fluke28x,
  Rs9lcd,
  Bm25x,
  Dtm0660,
  Ms8250d,
  Ms2115b,
  M2110,
  Asycii,
  Es51978,
  Es51986,
  Vc870,
};

// The family of a --meter name, or nothing.
std::optional<Family> familyNamed(const std::string& name);
// The names of the streaming families, ", " between them and `lastSeparator` before the last.
std::string streamingFamilyNames(const char* lastSeparator);
// The family's usual rate.
int defaultBaud(Family family);
bool streams(Family family);
// Bits a character takes on the line: start, data, parity and stop bits are ten for the
// families' 7N2, 7O1 and 8N1; the 8N2 of vc96 is paced as ten too.
constexpr int kBitsPerCharacter = 10;

// The prefix letter (' ' for none) and the base unit of a simulator unit name: 'k', "Ohm".
std::pair<char, std::string> splitUnit(const std::string& unit);

// What the meter shows for one reading.
struct Shown {
  double value = 0;
  bool overload = false;
  std::string mode;  // "DC", "AC", ...
  std::string unit;  // the simulator's unit names: "V", "mV", "kOhm", "uA", "nF", "Hz", "C", "%"
  bool lowBattery = false;
};

// One frame of a streaming family showing `shown`; nothing when the family's meters have no
// range for that unit or the value does not fit.
std::optional<std::string> encodeFrame(Family family, const Shown& shown);

// The frame damaged the way a noisy line or a bad adapter damages it: a position nibble
// (FS9721, bm25x, dtm0660), the sign (FS9922), the closing zero (ms8250d), the sync byte (ms2115b)
// or a fixed bit (the coded families) is wrong; in the checksummed families (rs9lcd,
// ut61eplus) the changed bit no longer matches the checksum; fluke28x loses a field separator.
std::string corrupted(Family family, std::string frame);

}  // namespace kelvor::metersim
