// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kelvor {

class MeterConnection;

// Opens the meter's configured port; on failure shows "Error N opening COMn" (with the
// device and the system's reason on a second line, and where the port is chosen on the
// last) and returns false.
bool openMeterPort(MeterConnection& meter, QWidget* parent);

}  // namespace kelvor
