#pragma once

#include "core/settings/AppGlobals.h"
#include "platform/basSerial.h"

class QWidget;

namespace kelvor {

// The serial port as the windows use it: opening reports a failure to the user once.
class MeterPort {
 public:
  explicit MeterPort(AppGlobals& globals) : globals_(globals) {}

  // Opens ComPort at ComBaud; on failure shows "Error N opening COMn" (with the device and
  // the system's reason on a second line) and returns false.
  bool OpenPort(QWidget* parent);
  void ClosePort() { serial_.ClosePort(); }

  basSerial& serial() { return serial_; }

 private:
  AppGlobals& globals_;
  basSerial serial_;
};

}  // namespace kelvor
