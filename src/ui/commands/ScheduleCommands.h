// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/record/RecordingSchedule.h"
#include "core/session/LiveRecording.h"
#include "core/settings/StoredSettings.h"

class QWidget;

namespace kelvor {

// The window's side of the start and stop rules: takes the stored schedule at the start,
// runs the dialog ("Datei → Aufzeichnung planen…"), and stores and applies what it changed.
class ScheduleCommands {
 public:
  ScheduleCommands(LiveRecording& recording, QWidget* window)
      : recording_(recording), window_(window) {}

  void start(const StoredSettings::Lookup& lookup);
  void onScheduleClicked();

 private:
  void apply();

  LiveRecording& recording_;
  QWidget* window_;
  RecordingSchedule schedule_;
};

}  // namespace kelvor
