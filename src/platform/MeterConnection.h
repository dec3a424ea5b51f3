// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/acquisition/PortConfig.h"
#include "core/session/MeterReader.h"
#include "core/text/Message.h"
#include "platform/JournalFile.h"
#include "platform/JournalWriter.h"
#include "platform/LocalSerialLink.h"
#include "platform/PortLink.h"
#include "platform/QtTimer.h"

namespace kelvor {

// A meter on the real serial port and the event loop's timer: its group's tick polls it,
// ReadDataTimer collects the answer in short steps. Nothing here blocks the event loop: a
// read step takes only what has already arrived. A poll reaches the port once it is open.
class MeterConnection {
 public:
  MeterConnection(const PortConfig& config, const Clock& clock, char decimalSeparator);

  // Opens the configured port, local or on the network, at the configured rate; PortOpen
  // tells whether it worked.
  LocalSerialLink::OpenResult open();
  // Opens `devicePath` from now on instead of what the port number maps to (kelvor-record's
  // --port /dev/PATH); the number still names the port in messages and file names.
  void useDevice(const QString& devicePath) { device_ = devicePath; }
  // Closes the port; nothing polls it until it is opened again.
  void close();
  // Stops the read timer for good and ends the journal cleanly, waiting until it is on disk (the
  // program ends), but no longer than JournalWriter::CloseLimit: false when the disk did not
  // take it in that time.
  bool stopPolling();

  // Writes the journal to `file` instead of the recordings folder (kelvor-record's --output);
  // before the first reading.
  void useJournal(std::unique_ptr<JournalSink> file) { journal_.useFile(std::move(file)); }
  // The journal open now, as its writer thread last left it.
  std::string journalPath() const { return journal_.path(); }
  // What to tell when stopPolling() could not wait for the journal: which one is still open.
  Message journalLeftOpen() const;

  MeterReader& reader() { return reader_; }
  const MeterReader& reader() const { return reader_; }
  const ConnectionState& state() const { return state_; }
  const PortConfig& config() const { return config_; }

 private:
  const PortConfig& config_;
  QString device_;  // empty: the port number's device
  ConnectionState state_;
  PortLink serial_;
  QtTimer readDataTimer_;
  JournalWriter journal_;  // the file work, away from the event loop
  MeterReader reader_;
};

}  // namespace kelvor
