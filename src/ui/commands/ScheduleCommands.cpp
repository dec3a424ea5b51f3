// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commands/ScheduleCommands.h"

#include "platform/SettingsStore.h"
#include "ui/dialogs/ScheduleDialog.h"

namespace kelvor {

void ScheduleCommands::start(const StoredSettings::Lookup& lookup) {
  schedule_ = RecordingSchedule::read(lookup);
  apply();
}

void ScheduleCommands::onScheduleClicked() {
  ScheduleDialog dialog(schedule_, window_);
  if (dialog.exec() != QDialog::Accepted) return;
  const SettingsStore store;
  if (!store.write(schedule_.texts()))
    qWarning("Kelvor: cannot write the settings to %s", qPrintable(store.filePath()));
  apply();
}

void ScheduleCommands::apply() {
  recording_.schedule(schedule_.rules().rules, schedule_.preTriggerS);
}

}  // namespace kelvor
