// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// The live page: a plain HTML page whose script follows /events and reloads /plot.png, in
// German or English.
std::string livePage(bool german);

}  // namespace kelvor
