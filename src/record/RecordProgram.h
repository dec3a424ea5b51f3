// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <memory>

#include "core/record/RecordOptions.h"
#include "core/record/RecordWatch.h"
#include "platform/MeterConnection.h"
#include "platform/MqttPublisher.h"
#include "platform/StopSignals.h"
#include "record/ConsoleReporter.h"

namespace kelvor {

// One run of kelvor-record: the window's meter session on the port, every reading into the
// journal, until the count or duration is reached or a stop signal comes.
class RecordProgram : private ReadingListener {
 public:
  RecordProgram(const RecordOptions& options, char decimalSeparator, const Clock& clock);

  // Runs the event loop; returns the exit status.
  int run();

 private:
  // Opens the port; false (after saying why, once) when it cannot be opened.
  bool openPort();
  void started();
  void readingRecorded(const JournalRow& row, bool alarm) override;
  void stop(int status);
  void startPublishing();
  // Ends the event loop once the broker has every reading, or after a few seconds.
  void exitWhenPublished();
  std::unique_ptr<JournalSink> chooseJournal();

  RecordOptions options_;
  RecordWatch watch_;
  ConsoleReporter reporter_;
  MeterConnection meter_;
  StopSignals signals_;
  MqttPublisher publisher_;
  QTimer ticks_;    // once a second while recording
  QTimer waiting_;  // once a second while --wait waits for the port
  bool openFailureTold_ = false;
  int status_ = 0;
  bool stopped_ = false;
};

}  // namespace kelvor
