#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "core/acquisition/ReadingHandler.h"
#include "core/scope/Recorder.h"
#include "core/scope/ScopeController.h"

namespace kelvor::testing {

// The main window as the plot sees it, shown at the design size.
class FakeWindow : public ScopeView, public RecorderView, public ReadingView {
 public:
  // ScopeView
  bool isMinimised() const override { return false; }
  bool isShown() const override { return shown; }
  PlotArea layoutPlotArea() override {
    PlotArea area;
    area.outerWidth = std::floor(465 - area.left + 0.5);
    area.outerHeight = std::floor(299.25 - ScopeController::NonPlotHeight + 0.5);
    area.innerWidth = static_cast<int>(area.outerWidth) - 4;
    area.innerHeight = static_cast<int>(area.outerHeight) - 4;
    return area;
  }
  void applyTimeAxis(const XAxisLayout&) override {}
  void applyYAxis(const YAxisLayout&) override {}
  void setBusy(bool) override {}
  void plotChanged(const RasterRect& area) override { changed = area; }
  DrawStyle drawStyle() const override { return style; }
  bool autoScaleChecked() const override { return true; }
  bool activeChecked() const override { return active; }
  void showDurationItem(int item) override { durationShown.push_back(item); }
  void showYMinItem(int item) override { yMinShown = item; }
  void showYMaxItem(int item) override { yMaxShown = item; }
  // RecorderView
  void setActiveChecked(bool checked) override { active = checked; }
  void showStartTime(const std::string&) override {}
  void showCurrentTime(const std::string&) override {}
  void showRunTime(const std::string&) override {}
  void showAlarmTime(const std::string&) override {}
  void setReadingColor(std::uint32_t) override {}
  // ReadingView
  void showValue(const std::string&) override {}
  void showMode(const std::string&) override {}

  bool shown = true;
  bool active = false;
  DrawStyle style = DrawStyle::EveryReading;
  std::vector<int> durationShown;
  int yMinShown = -1;
  int yMaxShown = -1;
  RasterRect changed;
};

// Hands readings on to the recorder and the plot, as the main window does (no alarm).
class ScopeHooks : public ReadingHooks {
 public:
  ScopeHooks(Recorder& recorder, ScopeController& scope) : recorder_(recorder), scope_(scope) {}
  void recordingStarted() override { recorder_.recordingStarted(); }
  void DrawToScope() override { scope_.DrawToScope(); }
  void AutoRangeY(float min, float max) override { scope_.AutoRangeY(min, max); }
  void testAlarm(float) override {}

 private:
  Recorder& recorder_;
  ScopeController& scope_;
};

}  // namespace kelvor::testing
