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

}  // namespace kelvor::metersim
