// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "StreamEncoder.h"

namespace kelvor::metersim {

// The answer of a ut61eplus or fluke28x meter to its display request while it shows `shown`;
// nothing when the family's meters have no range for that unit or the value does not fit.
std::optional<std::string> encodeAnswer(Family family, const Shown& shown);

// What a fluke28x meter answers to a command it does not know: the syntax error.
inline const std::string kUnknownCommandAnswer = "1\r";

}  // namespace kelvor::metersim
