// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "core/record/RecordOptions.h"
#include "core/record/RecordWatch.h"
#include "core/session/RecordingGate.h"
#include "platform/MeterStation.h"
#include "platform/StopSignals.h"
#include "record/ConsoleReporter.h"
#include "record/LiveServer.h"

namespace kelvor {

// One run of kelvor-record: the window's meter station with the channels of the command line,
// every meter polled on one common tick, every reading into its meter's journal and the
// calculated channels into theirs, until the count or duration is reached or a stop signal
// comes.
class RecordProgram : private MeterGroup::TickListener {
 public:
  // `german`: the program's language, the live page's unless a browser asks for another.
  RecordProgram(const RecordOptions& options, char decimalSeparator, const Clock& clock,
                bool german = true);
  ~RecordProgram() override;

  // Runs the event loop; returns the exit status.
  int run();

 private:
  struct Meter;
  void addMeter(const RecordMeter& line, int channel, char decimalSeparator, bool first);
  // Opens the ports not open yet; false (after saying why, once a port) when one cannot be.
  bool openPorts();
  bool openPort(Meter& meter);
  void started();
  // Records at once, or (with start or stop rules) through a gate that tells its changes.
  void startRecording();
  void tickDone(const Moment& tick, const TickReadings& readings) override;
  void tickStarted(const Moment& tick) override;
  void calculationsRecorded(const std::vector<JournalRow>& rows) override;
  // A journalled reading for the live page (with --http).
  void showLive(const JournalRow& row);
  // The recording's state and journals, for the live page.
  void updateLive();
  void journalFault(const JournalFault& fault);
  void stop(int status);
  // Ends the event loop once the broker has every reading, or after a few seconds.
  void exitWhenPublished();
  std::unique_ptr<JournalSink> chooseJournal(Meter& meter);

  RecordOptions options_;
  char separator_;
  const Clock& clock_;
  RecordWatch watch_;
  MeterStation station_;
  std::vector<std::unique_ptr<Meter>> meters_;  // what tells of the station's meters
  std::unique_ptr<RecordingGate> gate_;         // with start or stop rules
  StopSignals signals_;
  std::unique_ptr<LiveServer> server_;  // with --http
  std::optional<WallTime> start_;       // the journals' start, from the first reading
  std::string firstAlarm_;              // its line; empty before it
  QTimer waiting_;                      // once a second while --wait waits for the ports
  int status_ = 0;
  bool stopped_ = false;
  bool bySignal_ = false;
};

}  // namespace kelvor
