#pragma once

#include "core/acquisition/ReadingHandler.h"
#include "core/scope/Recorder.h"
#include "core/scope/ScopeController.h"
#include "ui/mainwindow/AlarmPanel.h"

namespace kelvor {

// Where a decoded reading goes next: the trace store and the live plot, the automatic
// Y range and the alarm.
class ReadingConsumers : public ReadingHooks {
 public:
  ReadingConsumers(Recorder& recorder, ScopeController& scope, AlarmPanel& alarm)
      : recorder_(recorder), scope_(scope), alarm_(alarm) {}

  void recordingStarted() override { recorder_.recordingStarted(); }
  void DrawToScope() override { scope_.DrawToScope(); }
  void AutoRangeY(float min, float max) override { scope_.AutoRangeY(min, max); }
  void testAlarm(float value) override { alarm_.testAlarm(value); }

 private:
  Recorder& recorder_;
  ScopeController& scope_;
  AlarmPanel& alarm_;
};

}  // namespace kelvor
