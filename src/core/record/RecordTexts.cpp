// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/RecordTexts.h"

#include <cstdio>

#include "core/text/PrintableText.h"
#include "core/text/ReadingNumber.h"

namespace kelvor::RecordTexts {

std::string readingText(const JournalRow& row, char decimalSeparator) {
  if (row.status == ReadingStatus::Overload) return "OL";
  const std::string number = readingNumber(row.value, decimalSeparator);
  if (row.status != ReadingStatus::Ok || number.empty()) return "?";
  return row.unit.empty() ? number : number + " " + printableText(row.unit);
}

std::string durationText(std::int64_t ms) {
  const std::int64_t s = ms / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return text;
}

Message alarmLine(const JournalRow& row, char decimalSeparator) {
  return Message(MessageId::RecordAlarm,
                 {readingText(row, decimalSeparator), localDateTimeText(row.time)});
}

Message firstAlarmLine(const std::string& runTime) {
  return Message(MessageId::RecordFirstAlarm, {runTime});
}

Message otherNameLine(const std::string& wanted, const std::string& journal) {
  return Message(MessageId::RecordOtherName, {wanted, journal});
}

Message meterLine(const MeterOnPort& meter) {
  static constexpr MessageId Ids[] = {MessageId::RecordAnswering, MessageId::RecordSilent,
                                      MessageId::RecordRetrying};
  if (meter.condition == MeterCondition::NoValidFrame)
    return Message(MessageId::RecordNoValidFrame, {meter.port, meter.family});
  return Message(Ids[static_cast<int>(meter.condition)], {meter.port});
}

Message progressLine(const std::string& reading, std::int64_t readings, std::int64_t elapsedMs,
                     std::int64_t remainingMs, const std::string& journal) {
  if (remainingMs < 0)
    return Message(MessageId::RecordProgress,
                   {reading, std::to_string(readings), durationText(elapsedMs), journal});
  return Message(MessageId::RecordProgressLeft,
                 {reading, std::to_string(readings), durationText(elapsedMs),
                  durationText(remainingMs), journal});
}

}  // namespace kelvor::RecordTexts
