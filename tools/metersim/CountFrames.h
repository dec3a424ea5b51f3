// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "StreamEncoder.h"

namespace kelvor::metersim {

// One frame of the Mastech MS2115B (ms2115b) showing `shown`: 55, function, range, frequency
// range, the reading as 16-bit little-endian counts (6000 at most), a dark second reading and
// the automatic range; nothing for a unit the meter has no range for.
std::optional<std::string> ms2115bFrame(const Shown& shown);

// One block of a Cyrustek ES519xx chip (es51978 at 2400 baud, es51986 at 19200 when `fast`):
// range, four digits (4000 counts), function, status, two option bytes, CR LF; sent twice
// as the chips do.
std::optional<std::string> es519xxFrame(const Shown& shown, bool fast);

// One frame of the Voltcraft VC-870 (vc870): function, selection, range, five digits (40000
// counts), a dark second display and bar, status, options (automatic range), CR LF.
std::optional<std::string> vc870Frame(const Shown& shown);

}  // namespace kelvor::metersim
