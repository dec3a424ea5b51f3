// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/acquisition/HidCables.h"
#include "core/acquisition/LineSettings.h"

namespace kelvor {

// Reports are held as bytes exactly as hidraw reads and writes them: a written report (output
// or feature) starts with its report number, 0 on a cable without numbered reports; a read
// one starts with its number only where the cable numbers them.

// The meter's byte stream out of a HID cable's input reports, read one report at a time.
// A malformed report (wrong fixed bytes, a count beyond the report) is skipped whole, as its
// count cannot be trusted; the good reports around it lose nothing. A report cut short
// because the cable vanished is kept when it still holds all the bytes its count announces
// and dropped otherwise, never cut to a guessed length.
class HidInputStream {
 public:
  explicit HidInputStream(HidCableChip chip) : chip_(chip) {}

  void addReport(std::string_view report);
  // The bytes gathered since the last call.
  std::string takeBytes();
  int malformedReports() const { return malformed_; }

 private:
  HidCableChip chip_;
  std::string bytes_;
  int malformed_ = 0;
};

// The output reports that carry bytes to the meter, in the order to write them.
std::vector<std::string> hidOutputReports(HidCableChip chip, std::string_view bytes);

// The feature reports that set the cable's serial line up, in the order to send them; none
// for a cable that needs no set-up.
std::vector<std::string> hidLineSetup(HidCableChip chip, const LineSettings& line);

}  // namespace kelvor
