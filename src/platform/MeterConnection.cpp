// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MeterConnection.h"

#include "core/acquisition/MeterChoice.h"

namespace kelvor {

MeterConnection::MeterConnection(const PortConfig& config, const Clock& clock,
                                 char decimalSeparator)
    : config_(config),
      readDataTimer_([this] { reader_.onReadTick(); }),
      journal_(std::make_unique<JournalFile>(),
               [this](const JournalFault& fault) { reader_.journal().report(fault); }),
      reader_(config, state_, {serial_, readDataTimer_, clock}, decimalSeparator) {
  reader_.journal().attach(&journal_);
}

LocalSerialLink::OpenResult MeterConnection::open() {
  LocalSerialLink::OpenResult result = serial_.open(config_, device_);
  state_.PortOpen = result.ok;
  reader_.meterState().portOpened(result.ok);
  return result;
}

void MeterConnection::close() {
  serial_.closePort();
  state_.PortOpen = false;
  reader_.meterState().portOpened(false);
}

bool MeterConnection::stopPolling() {
  readDataTimer_.setEnabled(false);
  reader_.journal().end();
  return journal_.close();
}

Message MeterConnection::journalLeftOpen() const {
  const auto waited = std::to_string(JournalWriter::CloseLimit.count() / 1000);
  return Message(MessageId::JournalStillOpen, {journal_.path(), waited});
}

}  // namespace kelvor
