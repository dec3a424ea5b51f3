// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "StreamEncoder.h"

namespace kelvor::metersim {

// One frame of the RadioShack 22-812 (rs9lcd) showing `shown`: mode, annunciators, four
// digits as segments and the checksum; nothing for a unit the meter has no mark for or a
// value beyond its 4000 counts.
std::optional<std::string> rs9lcdFrame(const Shown& shown);

// |value| as `places` digits ("0123") with the most decimals whose count stays below
// `counts`, and those decimals; nothing when it does not fit even without decimals.
std::optional<std::pair<std::string, int>> countedDigits(double value, int places, long counts);

// One frame of the Brymen BM25x (bm25x): 02, then the counted bytes with the segments of four
// digits (6000 counts) and the annunciators; temperatures show their unit's letter last.
std::optional<std::string> bm25xFrame(const Shown& shown);

// One frame of a DTM0660 meter (dtm0660): 15 bytes counting 1 to 15 in the high nibble, the
// segments of four digits (6000 counts) and the annunciators in the low one.
std::optional<std::string> dtm0660Frame(const Shown& shown);

// One frame of the Mastech MS8250D (ms8250d): 18 bytes of LCD segment bits, four main digits
// (6000 counts), the annunciators, a dark second display and the closing zero.
std::optional<std::string> ms8250dFrame(const Shown& shown);

}  // namespace kelvor::metersim
