// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// The user's number conventions (LANG, LC_NUMERIC, LC_ALL).
class SystemLocale {
 public:
  // The decimal separator numbers are shown with: ',' under German settings.
  static char decimalSeparator();
};

}  // namespace kelvor
