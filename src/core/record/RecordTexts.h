// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/acquisition/MeterState.h"
#include "core/journal/JournalFormat.h"
#include "core/text/Message.h"

namespace kelvor {

// The lines kelvor-record writes to standard error, as messages for the interface language.
namespace RecordTexts {

// "0.7512 V", "OL" for an overload, "?" for a reading without a value.
std::string readingText(const JournalRow& row, char decimalSeparator);
// "12:03:07": hours, minutes, seconds; hours may exceed 23.
std::string durationText(std::int64_t ms);
// "Alarm: 0.75 V at 2026-12-07 14:03:07"
Message alarmLine(const JournalRow& row, char decimalSeparator);
// "First alarm after 00:00:12 of the recording"
Message firstAlarmLine(const std::string& runTime);
// "COM1: no answer" / "COM1: disconnected, retrying" / "COM1: answering again" (Answering) /
// "COM1: data arrives, but no valid fs9922 frame: …"; not for a port that is not open.
Message meterLine(const MeterOnPort& meter);
// "run.csv exists; the journal is run-2.csv": --output named a file that is there already.
Message otherNameLine(const std::string& wanted, const std::string& journal);
// The progress line: last reading, readings so far, elapsed and remaining time (the latter
// only with a duration, remainingMs >= 0), the journal.
Message progressLine(const std::string& reading, std::int64_t readings, std::int64_t elapsedMs,
                     std::int64_t remainingMs, const std::string& journal);

}  // namespace RecordTexts

}  // namespace kelvor
