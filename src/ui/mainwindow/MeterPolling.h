#pragma once

#include <QObject>

#include "core/acquisition/PollingCycle.h"
#include "platform/QtTimer.h"

namespace kelvor {

// The two timers of the main window that drive the polling cycle: timMessung polls once a
// second, ReadDataTimer collects the answer in short steps. Nothing here blocks the event
// loop: a read step takes only what has already arrived.
class MeterPolling : public QObject {
  Q_OBJECT

 public:
  static constexpr int PollIntervalMs = 1000;

  MeterPolling(const AppGlobals& globals, SerialLink& port, PollingCycle::AnswerHandler onAnswer,
               QObject* parent = nullptr);

  QtTimer& timMessung() { return timMessung_; }
  QtTimer& ReadDataTimer() { return readDataTimer_; }
  const PollingCycle& cycle() const { return cycle_; }

 private:
  QtTimer timMessung_;
  QtTimer readDataTimer_;
  PollingCycle cycle_;
};

}  // namespace kelvor
