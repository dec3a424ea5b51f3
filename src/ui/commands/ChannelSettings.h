// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "core/settings/ChannelBinding.h"
#include "platform/PortScanner.h"

class QWidget;

namespace kelvor {

// The main window's "Kanäle…" command: lets the user bind the six channels in the modal
// ChannelsDialog (centred over `owner`), listing the ports present now. Returns true after OK
// with a change, which is then in `bindings` (six); otherwise `bindings` is as it was.
bool runChannelSettings(QWidget* owner, std::vector<ChannelBinding>& bindings,
                        const PortScanner& scanner = PortScanner());

}  // namespace kelvor
