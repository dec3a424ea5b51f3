// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace kelvor {

// A reading or sample without a usable value. Every reader of readings skips it.
inline constexpr float InvalidValue = -1e33f;

// Characters of one meter frame: mode (2), blank, value field (6), unit (4), carriage return.
inline constexpr std::size_t MeterFrameLength = 14;

// The annunciators a meter shows beside its number.
struct MeterFlags {
  bool overload = false;
  bool hold = false;
  bool relative = false;
  bool autoRange = false;
  bool lowBattery = false;
  bool min = false;
  bool max = false;
};

// What one answer of the meter turns into.
struct DecodedFrame {
  float value = InvalidValue;  // InvalidValue when the frame carries no number
  std::string valueText;       // the large display: the number, with the unit in AC/DC/TE mode
  std::string modeText;        // the mode ("AC", "DC", "TE") or else the unit
  std::string unit;            // the unit field without blanks, or the unit with its prefix
  // Set by the decoders of the binary and coded families, which name mode and overload
  // themselves; the journal then takes unit, mode and status from here, not from the text.
  bool selfDescribed = false;
  std::string mode = {};  // "DC", "AC", "AC+DC", "diode", "continuity", ...
  MeterFlags flags = {};
};

// Decodes one answer. Removes the carriage returns from `frame` as a side effect, as the
// reading handler's caller expects. A value field that holds no complete number (an
// overload such as "  OL  ", " O.L  ", garbage) yields InvalidValue and shows the meter's own
// text, so that it is never mistaken for a reading of 0.
DecodedFrame decodeFrame(std::string& frame, char decimalSeparator);

// The display pattern for the large reading display, by magnitude.
const char* displayPatternFor(float value);

}  // namespace kelvor
