// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/RecordTexts.h"

#include <cstdio>

#include "core/acquisition/PortTable.h"
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

std::string alarmLine(const JournalRow& row, char decimalSeparator, bool english) {
  return "Alarm: " + readingText(row, decimalSeparator) + (english ? " at " : " um ") +
         localDateTimeText(row.time);
}

std::string firstAlarmLine(const std::string& runTime, bool english) {
  return (english ? "First alarm after " : "Erster Alarm nach ") + runTime +
         (english ? " of the recording" : " der Aufzeichnung");
}

std::string otherNameLine(const std::string& wanted, const std::string& journal, bool english) {
  return wanted +
         (english ? " exists; the journal is " : " gibt es schon; die Aufzeichnung steht in ") +
         journal;
}

std::string meterLine(int port, MeterCondition condition, bool english) {
  static constexpr const char* Texts[][2] = {
      {": antwortet wieder", ": answering again"},
      {": keine Antwort", ": no answer"},
      {": getrennt, neuer Versuch", ": disconnected, retrying"}};
  if (condition == MeterCondition::NotOpen) return {};
  return portName(port) + Texts[static_cast<int>(condition)][english ? 1 : 0];
}

std::string progressLine(const std::string& reading, std::int64_t readings, std::int64_t elapsedMs,
                         std::int64_t remainingMs, const std::string& journal, bool english) {
  std::string line = reading + " | " + std::to_string(readings) +
                     (english ? " readings | " : " Messwerte | ") + durationText(elapsedMs) +
                     (english ? " elapsed" : " vergangen");
  if (remainingMs >= 0)
    line += " | " + durationText(remainingMs) + (english ? " left" : " verbleibend");
  return line + " | " + journal;
}

}  // namespace kelvor::RecordTexts
