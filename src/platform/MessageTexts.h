// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/text/Message.h"

namespace kelvor {

// The translation context of the message texts.
inline constexpr char MessageContext[] = "kelvor::Message";

// The text of a message in the language of the installed catalogue (German without one).
// Each %1 to %9 of the text is replaced by that argument, the args first, then the texts of
// the parts; an argument's own "%" stays as it is.
std::string messageText(const Message& message);

}  // namespace kelvor
