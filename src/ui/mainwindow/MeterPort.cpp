#include "ui/mainwindow/MeterPort.h"

#include <QMessageBox>

#include "core/acquisition/PortTable.h"
#include "ui/dialogs/MessageBox.h"

namespace kelvor {

bool MeterPort::OpenPort(QWidget* parent) {
  const basSerial::OpenResult result = serial_.OpenPort(globals_.ComPort, globals_.ComBaud);
  if (result.ok) return true;
  const QString text = QString::fromStdString(openErrorText(result.errorCode, globals_.ComPort)) +
                       QStringLiteral("\n%1: %2").arg(result.devicePath, result.errorText);
  MessageBox::warning(parent, text);
  return false;
}

}  // namespace kelvor
