// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "core/acquisition/MeterState.h"
#include "core/session/MeterGroup.h"

class QColor;
class QLabel;
class QString;
class QWidget;

namespace kelvor {

class ChannelSources;
class MeterConnection;
struct ReadingControls;

// Shows what the meter is doing: the window title names the port and the state, the reading
// display keeps its last value but is drawn dimmed while the meter does not answer, and its
// tooltip names the device, the line, the meter and the time of the last answer of the meter
// it shows (the calculation, on a calculated channel). While the
// latest reading meets the armed alarm condition, the display is red and the title says so.
class MeterStateDisplay : public QObject,
                          public MeterStateListener,
                          public MeterGroup::TickListener {
 public:
  MeterStateDisplay(QWidget& window, const ReadingControls& reading, ChannelSources& sources);
  ~MeterStateDisplay() override;

  // The sources were bound anew: with several meters the title names them all, and the
  // reading display dims with the meter it shows.
  void follow();
  // Shows the state anew (another channel is shown).
  void refresh() { meterStateChanged(MeterCondition::Answering); }
  void meterStateChanged(MeterCondition condition) override;
  // The alarm may have come or gone.
  void tickDone(const Moment&, const TickReadings&) override { refresh(); }

  // The reading display's colour while the meter answers and no alarm shows; the dimmed one
  // is derived from it.
  static void setReadingColour(QLabel* label, const QColor& colour);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The tooltip for the channel the large display shows: its meter, or its calculation.
  QString shownSourceTip();

  QWidget& window_;
  const ReadingControls& reading_;
  ChannelSources& sources_;
};

}  // namespace kelvor
