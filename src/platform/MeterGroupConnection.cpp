// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MeterGroupConnection.h"

#include "platform/JournalFile.h"

namespace kelvor {

MeterGroupConnection::MeterGroupConnection(std::vector<ChannelPlan> plan, char decimalSeparator,
                                           const Clock& clock)
    : tick_([this] { group_.onTick(); }),
      finish_([this] { group_.onFinishTick(); }),
      journal_(std::make_unique<JournalFile>(),
               [this](const JournalFault& fault) { group_.reportJournalFault(fault); }),
      group_(std::move(plan), decimalSeparator, {tick_, finish_, clock, journal_}) {}

void MeterGroupConnection::addMeter(MeterConnection& meter, int channel) {
  group_.addMeter(meter.reader(), channel);
}

bool MeterGroupConnection::endJournal() {
  group_.endJournal();
  return journal_.close();
}

}  // namespace kelvor
