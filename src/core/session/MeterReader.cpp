// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/MeterReader.h"

#include <algorithm>

#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/PortTable.h"

namespace kelvor {

MeterReader::MeterReader(const PortConfig& config, const ConnectionState& connection,
                         const Devices& devices, char decimalSeparator)
    : config_(config),
      clock_(devices.clock),
      decimalSeparator_(decimalSeparator),
      journal_(decimalSeparator),
      meterState_(devices.clock),
      cycle_(config, connection, devices.link, devices.readTimer, meterState_,
             [this](std::string& answer) { takeAnswer(answer); }) {}

void MeterReader::removeListener(ReadingListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void MeterReader::takeAnswer(std::string& answer) {
  const std::string sent = answer;
  const std::optional<DecodedFrame> decoded = familyFor(config_).decode(answer, decimalSeparator_);
  // A streaming family's frames were found by decoding them; a polled answer that does not
  // decode (a wrong checksum, a damaged line) is no reading.
  if (!decoded) return;
  last_ = MeterReading{decoded->value, decoded->unit, decoded->valueText, decoded->modeText};
  std::optional<JournalRow> row;
  if (recording_) {
    row = journal_.record(sent, *decoded, channel_, meterName(config_), clock_.moment());
  } else if (hold_) {
    const Moment at = clock_.moment();
    JournalRow held = journalRowOf(sent, *decoded);
    held.time = at.wall;
    held.channel = channel_ + 1;
    hold_(at.steadyMs, std::move(held));
  }
  for (ReadingListener* listener : listeners_) listener->readingTaken(*last_);
  if (row)
    for (ReadingListener* listener : listeners_) listener->readingRecorded(*row);
}

void MeterReader::recordHeld(const std::vector<JournalRow>& rows, const Moment& start) {
  journal_.recordHeld(rows, meterName(config_), start);
  for (const JournalRow& row : rows)
    for (ReadingListener* listener : listeners_) listener->readingRecorded(row);
}

}  // namespace kelvor
