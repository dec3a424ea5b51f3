// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// A meter's bytes as one line of printable ASCII: every other byte, and the backslash, as
// "\xHH". Journals, published readings and the console show the meter's texts this way.
std::string printableText(const std::string& bytes);
// The bytes of such a text again; a backslash not followed by "xHH" stays as it is.
std::string bytesOfPrintable(const std::string& text);

}  // namespace kelvor
