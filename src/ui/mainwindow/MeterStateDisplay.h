// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "core/acquisition/MeterState.h"

class QColor;
class QLabel;
class QWidget;

namespace kelvor {

class MeterConnection;
struct MainControls;

// Shows what the meter is doing: the window title names the port and the state, the reading
// display keeps its last value but is drawn dimmed while the meter does not answer, and its
// tooltip names the device, the line, the meter and the time of the last answer. While the
// latest reading meets the armed alarm condition, the display is red and the title says so.
class MeterStateDisplay : public QObject, public MeterStateListener {
 public:
  MeterStateDisplay(QWidget& window, const MainControls& controls, MeterConnection& meter);
  ~MeterStateDisplay() override;

  void meterStateChanged(MeterCondition condition) override;

  // The reading display's colour while the meter answers and no alarm shows; the dimmed one
  // is derived from it.
  static void setReadingColour(QLabel* label, const QColor& colour);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  const MainControls& controls_;
  MeterConnection& meter_;
};

}  // namespace kelvor
