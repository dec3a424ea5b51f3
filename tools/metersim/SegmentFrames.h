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

}  // namespace kelvor::metersim
