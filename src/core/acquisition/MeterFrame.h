// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

#include "core/InvalidValue.h"
#include "core/text/ReadingNumber.h"

namespace kelvor {

// A reading with a number, an overload shown by the meter, or neither.
enum class ReadingStatus { Ok, Overload, Invalid };

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

// What one answer of the meter turns into: everything the display, the journal, publishing
// and the console take from it, so that nobody reads the raw answer again.
struct DecodedFrame {
  float value = InvalidValue;  // InvalidValue when the frame carries no number
  std::string valueText;       // the large display: the number, with the unit in AC/DC/TE mode
  std::string modeText;        // the mode ("AC", "DC", "TE") or else the unit
  std::string unit;            // the unit field without blanks, or the unit with its prefix
  std::string mode = {};       // "DC", "AC", "AC+DC", "diode", "continuity", ...
  MeterFlags flags = {};       // flags.overload: the meter showed an overload

  ReadingStatus status() const {
    return value != InvalidValue ? ReadingStatus::Ok
           : flags.overload      ? ReadingStatus::Overload
                                 : ReadingStatus::Invalid;
  }
};

// Decodes one answer. Removes the carriage returns from `frame` as a side effect, as the
// reading handler's caller expects. A value field that holds no complete number (an
// overload such as "  OL  ", " O.L  ", garbage) yields InvalidValue and shows the meter's own
// text, so that it is never mistaken for a reading of 0.
DecodedFrame decodeFrame(std::string& frame, char decimalSeparator);

// The display pattern for the large reading display, by magnitude.
const char* displayPatternFor(float value);

}  // namespace kelvor
