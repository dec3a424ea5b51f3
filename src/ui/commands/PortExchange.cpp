#include "ui/commands/PortExchange.h"

#include <QPointer>
#include <QWidget>

#include "platform/MeterConnection.h"
#include "ui/common/Allgemein.h"
#include "ui/dialogs/frmSettings.h"
#include "ui/mainwindow/MeterPort.h"

namespace kelvor {

bool runPortSettings(QWidget* mainWindow, PortConfig& config, MeterConnection& meter,
                     const PortScanner& scanner) {
  const bool wasOpen = meter.state().PortOpen;
  meter.close();

  bool accepted = false;
  QPointer<QWidget> owner(mainWindow);
  {
    frmSettings dialog(config, scanner.presentPorts(), mainWindow);
    dialog.exec();
    accepted = dialog.DialogResult == frmSettings::Result::OK;
  }

  const bool closing = mainWindow && (!owner || !owner->isVisible());
  if (!closing) {
    if (accepted) {
      openMeterPort(meter, owner);
    } else if (wasOpen) {
      openMeterPort(meter, owner);
    }
  }
  Allgemein::SetMousePointer(MousePointer::Default);
  return accepted;
}

}  // namespace kelvor
