// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "core/acquisition/PortConfig.h"
#include "core/settings/ChannelBinding.h"
#include "platform/PortScanner.h"

class QWidget;

namespace kelvor {

class MeterConnection;

// The main window's "COM-P&ort" command: lets the user choose port, rate and meter in the
// modal PortDialog (centred over `mainWindow`) while the meter goes on being polled, and
// then, after OK with another port, rate or meter, or with the port not open, closes the port
// and opens the chosen one. Cancel, the close box and OK without a change leave the port as it
// is; so does OK when the main window was closed meanwhile (it is hidden). An open failure
// has been reported by then. A port that a meter on another channel of `bindings` is on is
// refused in the dialog, as the channel dialog refuses it; the meter serves `ownChannel`
// (from 0). Returns true after OK.
bool runPortSettings(QWidget* mainWindow, PortConfig& config, MeterConnection& meter,
                     const std::vector<ChannelBinding>& bindings, int ownChannel,
                     const PortScanner& scanner = PortScanner());

// Whether the line to the meter would be another one with `after`.
bool lineChanged(const PortConfig& before, const PortConfig& after);

}  // namespace kelvor
