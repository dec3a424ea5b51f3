// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// A meter's bytes as one line of printable ASCII: every other byte, and the backslash, as
// "\xHH". The journal's raw column shows a frame this way.
std::string printableAscii(const std::string& bytes);
// A text (a unit, a mode) as one line of printable UTF-8: characters such as "Ω" or "µ" stay
// as they are; control characters, the backslash and bytes that are no valid UTF-8 become
// "\xHH". Journals, published readings and the console show a reading's texts this way.
std::string printableText(const std::string& bytes);
// The bytes of such a text again; a backslash not followed by "xHH" stays as it is.
std::string bytesOfPrintable(const std::string& text);

}  // namespace kelvor
