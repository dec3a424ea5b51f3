// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MeterConnection.h"

#include "core/acquisition/MeterChoice.h"

namespace kelvor {

MeterConnection::MeterConnection(const PortConfig& config, const Clock& clock, AlarmSound& sound,
                                 const MeterSession::Views& views, char decimalSeparator)
    : config_(config),
      timMessung_([this] { session_.onPollTick(); }),
      readDataTimer_([this] { session_.onReadTick(); }),
      journal_(std::make_unique<JournalFile>(),
               [this](const JournalFault& fault) { session_.journal().report(fault); }),
      session_(config, state_, {serial_, readDataTimer_, clock, sound}, views, decimalSeparator) {
  session_.journal().attach(&journal_);
  timMessung_.setInterval(PollIntervalMs);
  timMessung_.setEnabled(true);
}

basSerial::OpenResult MeterConnection::open() {
  basSerial::OpenResult result = serial_.open(config_, device_);
  state_.PortOpen = result.ok;
  session_.meterState().portOpened(result.ok);
  return result;
}

void MeterConnection::close() {
  serial_.ClosePort();
  state_.PortOpen = false;
  session_.meterState().portOpened(false);
}

bool MeterConnection::stopPolling() {
  timMessung_.setEnabled(false);
  readDataTimer_.setEnabled(false);
  session_.journal().end();
  return journal_.close();
}

Message MeterConnection::journalLeftOpen() const {
  const auto waited = std::to_string(JournalWriter::CloseLimit.count() / 1000);
  return Message(MessageId::JournalStillOpen, {journal_.path(), waited});
}

}  // namespace kelvor
