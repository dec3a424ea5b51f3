#pragma once

#include "core/settings/AppGlobals.h"
#include "platform/PortScanner.h"

class QWidget;

namespace kelvor {

class MeterPort;

// The main window's "COM-P&ort" command: closes the port, lets the user choose port, rate
// and meter in the modal frmSettings (centred over `mainWindow`), and then
//  - after OK: sets FrameLength for the chosen meter and opens the chosen port;
//  - after Cancel or the close box: opens the port that was open before, if one was;
//  - when the main window was closed meanwhile (it is hidden): leaves the port closed.
// PortOpen is false while the port is closed and afterwards tells whether opening worked;
// an open failure has been reported by then. Returns true after OK.
bool runPortSettings(QWidget* mainWindow, AppGlobals& globals, MeterPort& port,
                     const PortScanner& scanner = PortScanner());

}  // namespace kelvor
