// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// The user's printing choices that are kept between runs.
struct PrintOptions {
  bool PrintColored = false;  // print in colour
};

}  // namespace kelvor
