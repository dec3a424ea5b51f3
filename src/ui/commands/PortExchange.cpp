#include "ui/commands/PortExchange.h"

#include <QPointer>
#include <QWidget>

#include "ui/common/Allgemein.h"
#include "ui/dialogs/frmSettings.h"
#include "ui/mainwindow/MeterPort.h"

namespace kelvor {

bool runPortSettings(QWidget* mainWindow, AppGlobals& globals, MeterPort& port,
                     const PortScanner& scanner) {
  const bool wasOpen = globals.PortOpen;
  port.ClosePort();
  // While the dialog is open nothing may poll a closed port.
  globals.PortOpen = false;

  bool accepted = false;
  QPointer<QWidget> owner(mainWindow);
  {
    frmSettings dialog(globals, scanner.presentPorts(), mainWindow);
    dialog.exec();
    accepted = dialog.DialogResult == frmSettings::ResultOK;
  }

  const bool closing = mainWindow && (!owner || !owner->isVisible());
  if (!closing) {
    if (accepted) {
      globals.FrameLength = AppGlobals::frameLengthFor(globals.MeterType);
      globals.PortOpen = port.OpenPort(owner);
    } else if (wasOpen) {
      globals.PortOpen = port.OpenPort(owner);
    }
  }
  Allgemein::SetMousePointer(Allgemein::DefaultPointer);
  return accepted;
}

}  // namespace kelvor
