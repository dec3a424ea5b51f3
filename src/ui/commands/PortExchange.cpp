// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commands/PortExchange.h"

#include <QPointer>
#include <QWidget>

#include "platform/HidrawPorts.h"
#include "platform/MeterConnection.h"
#include "ui/common/WindowTools.h"
#include "ui/dialogs/PortDialog.h"
#include "ui/mainwindow/MeterPort.h"

namespace kelvor {

bool lineChanged(const PortConfig& before, const PortConfig& after) {
  return !sameLine(before, after);
}

bool runPortSettings(QWidget* mainWindow, PortConfig& config, MeterConnection& meter,
                     const std::vector<ChannelBinding>& bindings, int ownChannel,
                     const PortScanner& scanner) {
  const PortConfig before = config;
  bool accepted = false;
  QPointer<QWidget> owner(mainWindow);
  {
    // The list is read without opening any device, so the meter is polled meanwhile.
    PortDialog dialog(config, scanner.presentPorts(), mainWindow, HidrawPorts().cables());
    dialog.setChannels(bindings, ownChannel);
    dialog.exec();
    accepted = dialog.DialogResult == PortDialog::Result::OK;
  }

  const bool closing = mainWindow && (!owner || !owner->isVisible());
  if (accepted && !closing && (lineChanged(before, config) || !meter.state().PortOpen)) {
    meter.close();
    openMeterPort(meter, owner);
  }
  WindowTools::setMousePointer(MousePointer::Default);
  return accepted;
}

}  // namespace kelvor
