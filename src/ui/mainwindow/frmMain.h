#pragma once

#include <QMainWindow>

#include "core/Clock.h"
#include "core/acquisition/ReadingHandler.h"
#include "core/scope/Recorder.h"
#include "core/scope/RecordingState.h"
#include "core/scope/ScopeController.h"
#include "core/scope/TraceStore.h"
#include "core/settings/AppGlobals.h"
#include "core/settings/StoredSettings.h"
#include "platform/AlarmPlayer.h"
#include "ui/commands/TraceFileCommands.h"
#include "ui/mainwindow/AlarmPanel.h"
#include "ui/mainwindow/MainControls.h"
#include "ui/mainwindow/MeterPort.h"
#include "ui/mainwindow/ReadingConsumers.h"
#include "ui/mainwindow/ReadingLabels.h"
#include "ui/plot/ScopePanel.h"
#include "ui/printing/PrintCommands.h"
#include "ui/printing/PrinterChoice.h"

namespace kelvor {

class MeterPolling;

// The main window: owns the controls and the per-run state, runs the start-up sequence and
// the shutdown, and wires the controls to the parts that do the work.
class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // Design size of the inner area, in points.
  static constexpr double DesignInnerWidth = 465.0;
  static constexpr double DesignInnerHeight = 299.25;

  frmMain(AppGlobals& globals, const Clock& clock, QWidget* parent = nullptr);
  ~frmMain() override;

  // The start-up sequence; ends by showing the window.
  void Form_Load();

  const MainControls& controls() const { return controls_; }
  RecordingState& recording() { return recording_; }
  TraceStore& traces() { return traces_; }
  Recorder& recorder() { return recorder_; }
  ScopeController& scope() { return scope_; }
  MeterPolling& polling() { return *polling_; }
  MeterPort& port() { return port_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void InitVars();
  void GetSettings();
  void SaveSettings();
  void makeLang();
  void fillRangeLists();
  void fillDurationList();
  void Form_Resize();
  void applyMinimumSize();
  void GetAlarm();
  void restorePlacement();
  void QueryUnload();
  void onAnswer(std::string& answer);
  void connectControls();
  void mnuFile2_Click(int index);
  void mnuInfo_Click();

  AppGlobals& globals_;
  const Clock& clock_;
  MainControls controls_;
  RecordingState recording_;
  TraceStore traces_;
  ScopePanel panel_;
  Recorder recorder_;
  ScopeController scope_;
  TraceFileCommands traceFiles_;
  PrinterChoice printerChoice_;
  PrintCommands print_;
  MeterPort port_;
  AlarmPlayer alarmPlayer_;
  AlarmPanel alarm_;
  ReadingLabels readingLabels_;
  ReadingConsumers readingConsumers_;
  ReadingHandler readingHandler_;
  MeterPolling* polling_;
  StoredSettings saved_;
  bool loaded_ = false;
  bool unloaded_ = false;
};

}  // namespace kelvor
