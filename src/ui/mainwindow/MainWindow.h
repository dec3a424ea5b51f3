// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

#include "core/Clock.h"
#include "core/acquisition/PortConfig.h"
#include "core/plot/ScopeController.h"
#include "core/printing/PrintOptions.h"
#include "core/session/LiveRecording.h"
#include "core/settings/ProgramContext.h"
#include "core/settings/StoredSettings.h"
#include "platform/AlarmPlayer.h"
#include "platform/MeterConnection.h"
#include "platform/MeterStation.h"
#include "ui/commands/PublishCommands.h"
#include "ui/commands/ScheduleCommands.h"
#include "ui/commands/TraceFileCommands.h"
#include "ui/mainwindow/AlarmPanel.h"
#include "ui/mainwindow/ChannelDisplay.h"
#include "ui/mainwindow/ChannelSources.h"
#include "ui/mainwindow/ChannelStatsTips.h"
#include "ui/mainwindow/MainControls.h"
#include "ui/mainwindow/MeterStateDisplay.h"
#include "ui/mainwindow/ReadingLabels.h"
#include "ui/plot/ScopePanel.h"
#include "ui/printing/PrintCommands.h"
#include "ui/printing/PrinterChoice.h"

namespace kelvor {

// The main window: owns the controls, the meter connection and the plot, runs the start-up
// sequence and the shutdown, and wires the controls to the parts that do the work.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Design size of the inner area, in points.
  static constexpr double DesignInnerWidth = 465.0;
  static constexpr double DesignInnerHeight = 299.25;

  MainWindow(ProgramContext& context, const Clock& clock, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up sequence; ends by showing the window.
  void startUp();
  // Closes as the close box does, for a stop signal: a journal left open by a stalled disk is
  // then told on standard error only, so nothing waits for an answer.
  void closeUnattended();

  const MainControls& controls() const { return controls_; }
  const RecordingState& recording() { return recording_.state(); }
  LiveRecording& liveRecording() { return recording_; }
  TraceStore& traces() { return recording_.traces(); }
  Recorder& recorder() { return recording_.recorder(); }
  ScopeController& scope() { return scope_; }
  // The window's own meter (after the start).
  MeterConnection& meter() { return *sources_.ownMeter(); }
  ChannelSources& sources() { return sources_; }
  const ProgramContext& context() const { return context_; }
  PrintOptions& printOptions() { return printOptions_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void initialiseState();
  void loadSettings();
  void saveSettings();
  void applyLanguage();
  void fillRangeLists();
  void fillDurationList();
  void layOut();
  void applyMinimumSize();
  void applyAlarmText();
  void restorePlacement();
  void finishClosing();
  void connectControls();
  void onFileCommand(MenuActions::FileMenuItem item);
  void onAboutClicked();
  void connectPlot();
  void onReviewClicked();
  void showJournalFault(const JournalFault& fault);
  void tellJournalsStillOpen(const std::vector<Message>& open);
  // The channels' sources as stored, or the one meter on the active channel.
  void bindChannels();
  void applyBindings(std::vector<ChannelBinding> bindings);
  void chooseChannel(int index);
  void onChannelsClicked();

  ProgramContext& context_;
  PrintOptions printOptions_;
  MainControls controls_;
  ScopePanel panel_;
  ReadingLabels readingLabels_;
  AlarmPlayer alarmPlayer_;
  LiveRecording recording_;
  MeterStation station_;
  ChannelSources sources_;
  ChannelDisplay channelDisplay_;
  MeterStateDisplay meterDisplay_;
  ChannelStatsTips channelTips_;
  ScopeController scope_;
  AlarmPanel alarm_;
  TraceFileCommands traceFiles_;
  PrinterChoice printerChoice_;
  PrintCommands print_;
  PublishCommands publish_;
  ScheduleCommands schedule_;
  StoredSettings saved_;
  // The channels' sources are written back: they were stored or chosen.
  bool channelsStored_ = false;
  bool loaded_ = false;
  bool unloaded_ = false;
  bool unattended_ = false;  // closed by a stop signal
};

}  // namespace kelvor
