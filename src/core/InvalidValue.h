// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// A reading or sample without a usable value. Every reader of readings skips it.
inline constexpr float InvalidValue = -1e33f;

}  // namespace kelvor
