// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "StreamEncoder.h"

namespace kelvor::metersim {

// One frame of the BBC Goerz Metrawatt M2110 (m2110): the value right-aligned in seven
// characters with up to three decimals, or OVERRNG, then CR LF; the unit is not sent.
std::optional<std::string> m2110Frame(const Shown& shown);

// One PRINT frame of an ASYC-II meter (asycii): sign, the value right-aligned in six
// characters, prefix, unit and ac/dc flag in eight, CR; nothing for units it has no name for.
std::optional<std::string> asyciiFrame(const Shown& shown);

}  // namespace kelvor::metersim
