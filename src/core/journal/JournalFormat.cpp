// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/journal/JournalFormat.h"
#include "core/InvalidValue.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "core/text/LeadingNumber.h"
#include "core/text/NumberFormat.h"
#include "core/text/PrintableText.h"
#include "core/text/ReadingNumber.h"

namespace kelvor {

namespace {

constexpr const char* Columns[] = {"time", "utc",  "elapsed_s", "channel", "value",
                                   "unit", "mode", "status",    "raw"};
constexpr std::size_t ColumnCount = std::size(Columns);
constexpr const char* StatusNames[] = {"ok", "overload", "invalid"};

struct DateTimeParts {
  long long year;
  unsigned month, day, hour, minute, second, millisecond;
};

long long floorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// The calendar date and time of day of milliseconds since 1970-01-01 00:00:00.
DateTimeParts partsOf(long long ms) {
  const long long days = floorDiv(ms, 86400000);
  const auto inDay = static_cast<unsigned>(ms - days * 86400000);
  const CivilDate date = civilDate(days * 86400);
  return {date.year,          date.month,        date.day,    inDay / 3600000,
          inDay / 60000 % 60, inDay / 1000 % 60, inDay % 1000};
}

// "yyyy-mm-dd<between>hh<colon>mm<colon>ss", with ".mmm" when `millis` is set.
std::string dateTimeText(long long ms, char between, char colon, bool millis) {
  const DateTimeParts p = partsOf(ms);
  char text[64];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02u%c%02u%c%02u%c%02u", p.year, p.month, p.day,
                between, p.hour, colon, p.minute, colon, p.second);
  std::string result = text;
  if (millis) {
    std::snprintf(text, sizeof text, ".%03u", p.millisecond);
    result += text;
  }
  return result;
}

// Milliseconds since 1970-01-01 00:00:00 of "yyyy-mm-dd<between>hh:mm:ss", with ".mmm" where
// `millis` asks for it (and allowed where it is unset); nothing for any other text.
std::optional<long long> dateTimeMs(const std::string& text, char between, bool millis) {
  std::string shape = "dddd-dd-dd_dd:dd:dd.ddd";
  shape[10] = between;
  if (text.size() != (millis ? 23 : 19) && (millis || text.size() != 23)) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t digits) {
    return static_cast<unsigned>(std::stoul(text.substr(at, digits)));
  };
  const unsigned month = number(5, 2), day = number(8, 2), hour = number(11, 2),
                 minute = number(14, 2), second = number(17, 2);
  if (month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59)
    return std::nullopt;
  // Civil date to days in the proleptic Gregorian calendar, eras of 400 years.
  const long long y = static_cast<long long>(number(0, 4)) - (month <= 2 ? 1 : 0);
  const long long era = floorDiv(y, 400);
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long days = era * 146097 + static_cast<long long>(doe) - 719468;
  if (partsOf(days * 86400000).day != day) return std::nullopt;  // 31 April and the like
  return ((days * 24 + hour) * 60 + minute) * 60000LL + second * 1000LL +
         (text.size() == 23 ? number(20, 3) : 0);
}

std::string localMs(const WallTime& t, bool millis) {
  return dateTimeText(t.utcMs + t.offsetSeconds * 1000LL, ' ', ':', millis);
}

std::string quoted(const std::string& text) {
  std::string result = "\"";
  for (const char c : text) result += c == '"' ? std::string("\"\"") : std::string(1, c);
  return result + '"';
}

std::string field(const std::string& text, JournalStyle style) {
  const bool plain = text.find_first_of(std::string("\"\r\n") + style.field) == std::string::npos;
  return plain ? text : quoted(text);
}

// The fields of one line as RFC 4180 quotes them; false when the quotes do not pair up.
bool splitFields(const std::string& line, char separator, std::vector<std::string>& fields) {
  fields.assign(1, std::string());
  bool inQuotes = false;
  bool closed = false;  // the current field's quotes have closed
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (inQuotes) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        inQuotes = false;
        closed = true;
      }
    } else if (c == separator) {
      fields.emplace_back();
      closed = false;
    } else if (closed || (c == '"' && !fields.back().empty())) {
      return false;
    } else if (c == '"') {
      inQuotes = true;
    } else {
      fields.back() += c;
    }
  }
  return !inQuotes;
}

// A number written with the style's decimal separator, or nothing.
std::optional<double> numberField(std::string text, char decimal) {
  if (text.empty() || !looksNumeric(text, decimal) || text.find(' ') != std::string::npos)
    return std::nullopt;
  replaceAll(text, std::string(1, decimal), ".");
  return readLeadingNumber(text);
}

// One row of the journal, or false when a field is not as the program writes it.
bool readRow(const std::vector<std::string>& fields, JournalStyle style, JournalRow& row) {
  if (fields.size() != ColumnCount) return false;
  const auto elapsed = numberField(fields[2], style.decimal);
  const auto channel = numberField(fields[3], style.decimal);
  if (!elapsed || !channel || *channel < 1 || *channel > 6 ||
      *channel != static_cast<int>(*channel))
    return false;
  // The local time to the second (earlier versions wrote milliseconds too), the instant to the
  // millisecond: the zone's offset is their difference in whole seconds.
  const auto local = dateTimeMs(fields[0], ' ', false);
  const std::string& utcField = fields[1];
  const bool zulu = !utcField.empty() && utcField.back() == 'Z';
  const auto utc = dateTimeMs(utcField.substr(0, utcField.size() - (zulu ? 1 : 0)), 'T', true);
  if (!local || !utc || !zulu) return false;
  const long long offset = floorDiv(*local, 1000) - floorDiv(*utc, 1000);
  if (offset < -86400 || offset > 86400) return false;
  row.time = {*utc, static_cast<int>(offset)};
  row.elapsedMs = std::llround(*elapsed * 1000.0);  // before a start trigger: negative
  row.channel = static_cast<int>(*channel);
  int status = 0;
  while (status < 3 && fields[7] != StatusNames[status]) ++status;
  if (status == 3) return false;
  row.status = static_cast<ReadingStatus>(status);
  const auto value = numberField(fields[4], style.decimal);
  if ((row.status == ReadingStatus::Ok) != value.has_value()) return false;
  if (!fields[4].empty() && !value) return false;
  row.value = value ? static_cast<float>(*value) : InvalidValue;
  row.unit = bytesOfPrintable(fields[5]);
  row.mode = bytesOfPrintable(fields[6]);
  row.raw = bytesOfPrintable(fields[8]);
  return true;
}

}  // namespace

JournalStyle journalStyleFor(char decimalSeparator) {
  return decimalSeparator == ',' ? JournalStyle{';', ','} : JournalStyle{',', '.'};
}

JournalRow journalRowOf(const std::string& answer, const DecodedFrame& reading) {
  JournalRow row;
  for (const char c : answer)
    if (c != '\r') row.raw += c;
  row.value = reading.value;
  row.unit = reading.unit;
  row.mode = reading.mode;
  row.status = reading.status();
  return row;
}

std::string journalHeader(JournalStyle style) {
  std::string header;
  for (const char* column : Columns)
    header += (header.empty() ? "" : std::string(1, style.field)) + column;
  return header + "\r\n";
}

std::string utcText(const WallTime& time) {
  return dateTimeText(time.utcMs, 'T', ':', true) + "Z";
}

const char* statusName(ReadingStatus status) {
  return StatusNames[static_cast<int>(status)];
}

std::string journalLine(const JournalRow& row, JournalStyle style) {
  // The time of day to the second: with milliseconds a spreadsheet takes it for text.
  const std::string fields[] = {localMs(row.time, false),
                                utcText(row.time),
                                secondsText(row.elapsedMs, style.decimal),
                                std::to_string(row.channel),
                                readingNumber(row.value, style.decimal),
                                field(printableText(row.unit), style),
                                field(printableText(row.mode), style),
                                statusName(row.status),
                                quoted(printableAscii(row.raw))};
  std::string line;
  for (const std::string& text : fields)
    line += (line.empty() ? "" : std::string(1, style.field)) + text;
  return line + "\r\n";
}

std::string localDateTimeText(const WallTime& time) {
  return localMs(time, false);
}

std::string journalFileName(const WallTime& start, const std::string& meter) {
  const std::string text =
      dateTimeText(start.utcMs + start.offsetSeconds * 1000LL, '_', '-', false);
  return text + "_" + meter + ".csv";
}

std::string journalStartText(const std::string& fileName) {
  std::string text = fileName.substr(0, 19);
  if (text.size() < 19) return text;
  text[10] = ' ';
  text[13] = text[16] = ':';
  return text;
}

bool looksLikeJournal(const std::string& text) {
  return text.rfind("time;utc;", 0) == 0 || text.rfind("time,utc,", 0) == 0;
}

ParsedJournal parseUnfinishedJournal(const std::string& text) {
  const std::size_t end = text.rfind('\n');
  return parseJournal(end == std::string::npos ? text : text.substr(0, end + 1));
}

ParsedJournal parseJournal(const std::string& text) {
  ParsedJournal parsed;
  std::vector<std::string> fields;
  JournalStyle style{';', ','};
  std::size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string content = text.substr(start, end - start);
    start = end + 1;
    if (!content.empty() && content.back() == '\r') content.pop_back();
    if (line == 1) {
      if (content + "\r\n" != journalHeader(style)) style = JournalStyle{',', '.'};
      if (content + "\r\n" == journalHeader(style)) continue;
    } else {
      JournalRow row;
      if (splitFields(content, style.field, fields) && readRow(fields, style, row)) {
        parsed.rows.push_back(row);
        continue;
      }
    }
    parsed.rows.clear();
    parsed.badLine = line;
    return parsed;
  }
  if (text.empty()) parsed.badLine = 1;
  return parsed;
}

bool readJournalLine(std::string content, int line, JournalStyle& style, JournalRow& row) {
  if (!content.empty() && content.back() == '\r') content.pop_back();
  if (line == 1) {
    style = JournalStyle{';', ','};
    if (content + "\r\n" != journalHeader(style)) style = JournalStyle{',', '.'};
    return content + "\r\n" == journalHeader(style);
  }
  std::vector<std::string> fields;
  return splitFields(content, style.field, fields) && readRow(fields, style, row);
}

}  // namespace kelvor
