// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MeterPort.h"

#include "core/acquisition/PortTable.h"
#include "platform/MessageTexts.h"
#include "platform/MeterConnection.h"
#include "ui/dialogs/MessageBox.h"

namespace kelvor {

bool openMeterPort(MeterConnection& meter, QWidget* parent) {
  const LocalSerialLink::OpenResult result = meter.open();
  if (result.ok) return true;
  const std::string port = portLabel(meter.config());
  const QString hint = QString::fromStdString(messageText(Message(MessageId::PortChoiceHint)));
  const QString text =
      QString::fromStdString(openErrorText(result.errorCode, port)) +
      QStringLiteral("\n%1: %2\n%3").arg(result.devicePath, result.errorText, hint);
  MessageBox::warning(parent, text);
  return false;
}

}  // namespace kelvor
