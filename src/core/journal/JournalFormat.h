// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/InvalidValue.h"
#include "core/acquisition/MeterFrame.h"

namespace kelvor {

// One reading of a journal: when it came, where it went, and what the meter sent.
struct JournalRow {
  WallTime time;
  std::int64_t elapsedMs = 0;  // since the start of the recording
  int channel = 1;             // the colour channel, 1 to 6
  float value = InvalidValue;  // InvalidValue when the reading has no usable value
  std::string unit;            // unit and mode as the meter sent them; written as printable text
  std::string mode;
  ReadingStatus status = ReadingStatus::Invalid;
  std::string raw;  // the meter's characters without carriage returns
};

// The separators of a journal, as spreadsheets of the interface language read them:
// ";" and "," under German, "," and "." under English.
struct JournalStyle {
  char field;
  char decimal;
};
JournalStyle journalStyleFor(char decimalSeparator);

// The meter's part of a row: value, unit, mode and status as decoded, and the answer as sent.
JournalRow journalRowOf(const std::string& answer, const DecodedFrame& reading);

// The header row and one reading's row, each ending in CR LF, quoted as RFC 4180 asks.
std::string journalHeader(JournalStyle style);
std::string journalLine(const JournalRow& row, JournalStyle style);

// "2026-12-06_14-03-07_COM1.csv": the local start of the recording and the meter's name.
std::string journalFileName(const WallTime& start, const std::string& meter);
// "2026-12-06 14:03:07" of a journal's file name, the start of its recording.
std::string journalStartText(const std::string& fileName);
// "2026-12-06 14:03:07": the local date and time of day.
std::string localDateTimeText(const WallTime& time);
// "2026-12-06T13:03:07.120Z": the instant in UTC, to the millisecond.
std::string utcText(const WallTime& time);
// "ok", "overload" or "invalid".
const char* statusName(ReadingStatus status);

// A journal read back under either style: the rows, each as it was written, or the number of
// the first line that is not as the program writes it.
struct ParsedJournal {
  std::vector<JournalRow> rows;
  int badLine = 0;  // 0: the whole text was read
  // Where malformed rows are skipped (JournalStream::skipBadRows): how many, the first lines.
  int leftOut = 0;
  std::vector<int> leftOutLines;
};
ParsedJournal parseJournal(const std::string& text);
// Whether a text starts as a journal does (either header), rather than as a trace file.
bool looksLikeJournal(const std::string& text);
// The rows of a journal whose end may be torn (a power cut): what follows its last complete
// row is left out.
ParsedJournal parseUnfinishedJournal(const std::string& text);
// One line of a journal, its line end taken off, as parseJournal reads it: line 1 is the
// header (which sets the style), every later line a row. False when it is not as the
// program writes it; `row` is set only for a row.
bool readJournalLine(std::string content, int line, JournalStyle& style, JournalRow& row);

}  // namespace kelvor
