#pragma once

#include "core/acquisition/PortConfig.h"
#include "platform/PortScanner.h"

class QWidget;

namespace kelvor {

class MeterConnection;

// The main window's "COM-P&ort" command: closes the port, lets the user choose port, rate
// and meter in the modal frmSettings (centred over `mainWindow`), and then
//  - after OK: opens the chosen port;
//  - after Cancel or the close box: opens the port that was open before, if one was;
//  - when the main window was closed meanwhile (it is hidden): leaves the port closed.
// Nothing polls the port while it is closed; an open failure has been reported by then.
// Returns true after OK.
bool runPortSettings(QWidget* mainWindow, PortConfig& config, MeterConnection& meter,
                     const PortScanner& scanner = PortScanner());

}  // namespace kelvor
