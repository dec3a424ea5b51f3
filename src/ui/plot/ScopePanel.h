// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plot/ScopeController.h"
#include "core/recording/Recorder.h"

class QMainWindow;

namespace kelvor {

struct MainControls;

// The main window's controls as the recorder and the plot see them: the plot area and its
// axis labels, the time labels, the lists and check boxes. Selections made by the program
// are shown without raising the controls' signals; the core runs the handlers itself.
class ScopePanel : public RecorderView, public ScopeView {
 public:
  ScopePanel(QMainWindow& window, const MainControls& controls);

  // RecorderView
  void showActive(bool active) override;
  void showStartTime(const std::string& text) override;
  void showCurrentTime(const std::string& text) override;
  void showRunTime(const std::string& text) override;
  void showAlarmTime(const std::string& text) override;
  void setReadingColor(std::uint32_t rgb) override;

  // ScopeView
  bool isMinimised() const override;
  bool isShown() const override;
  PlotArea layoutPlotArea() override;
  void applyTimeAxis(const XAxisLayout& layout) override;
  void applyYAxis(const YAxisLayout& layout) override;
  void setBusy(bool busy) override;
  void plotChanged(const RasterRect& area) override;
  DrawStyle drawStyle() const override;
  void showDurationItem(int item) override;
  void showYMinItem(int item) override;
  void showYMaxItem(int item) override;
  void showLiveMarker(const Message& marker) override;

  // Design place of the plot area's top-left corner, in points.
  static constexpr double PlotLeft = 24;
  static constexpr double PlotTop = 114;

 private:
  QMainWindow& window_;
  const MainControls& controls_;
};

}  // namespace kelvor
