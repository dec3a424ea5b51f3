// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/ConsoleReporter.h"

#include "core/record/RecordTexts.h"
#include "platform/MessageTexts.h"

namespace kelvor {

void ConsoleReporter::readingRecorded(const JournalRow& row, bool alarm) {
  lastReading_ = RecordTexts::readingText(row, style_.decimalSeparator);
  if (watch_.answered(clock_.steadyMs()))
    line(messageText(RecordTexts::silenceLine(style_.port, false)));
  if (alarm) line(messageText(RecordTexts::alarmLine(row, style_.decimalSeparator)));
  // Timed from the journal's start: the trace store, and its start, begin again when full.
  if (alarm && !alarmed_)
    line(messageText(RecordTexts::firstAlarmLine(RecordTexts::durationText(row.elapsedMs))));
  alarmed_ = alarmed_ || alarm;
  showProgress();
}

void ConsoleReporter::beeps(int) {
  if (style_.bell) std::fputc('\a', stderr);
}

void ConsoleReporter::polled() {
  if (watch_.polled(clock_.steadyMs()))
    line(messageText(RecordTexts::silenceLine(style_.port, true)));
  showProgress();
}

void ConsoleReporter::line(const std::string& text) {
  std::fprintf(stderr, "%s%s\n", progressShown_ ? "\r\x1b[K" : "", text.c_str());
  progressShown_ = false;
  showProgress();
}

void ConsoleReporter::showProgress() {
  if (!style_.progress) return;
  const std::int64_t now = clock_.steadyMs();
  const std::string text = messageText(RecordTexts::progressLine(
      lastReading_, watch_.readings(), watch_.elapsedMs(now), watch_.remainingMs(now), journal_()));
  std::fprintf(stderr, "\r\x1b[K%s", text.c_str());
  std::fflush(stderr);
  progressShown_ = true;
}

void ConsoleReporter::finish() {
  if (progressShown_) std::fputc('\n', stderr);
  progressShown_ = false;
}

}  // namespace kelvor
