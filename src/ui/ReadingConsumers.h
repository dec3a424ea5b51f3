#pragma once

#include "core/acquisition/ReadingHandler.h"

namespace kelvor {

// Where a decoded reading goes next: the trace store and live plot, the automatic Y range
// and the alarm. Until those are in place a reading is only shown.
class ReadingConsumers : public ReadingHooks {
 public:
  void recordingStarted() override {}
  void DrawToScope() override {}
  void AutoRangeY(float, float) override {}
  void testAlarm(float) override {}
};

}  // namespace kelvor
