// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "core/acquisition/MeterState.h"
#include "core/alarm/AlarmSound.h"
#include "core/journal/JournalFormat.h"
#include "core/record/RecordWatch.h"

namespace kelvor {

// What kelvor-record tells on standard error: alarms and the first alarm's time, a meter
// that falls silent or answers again, and on a terminal (unless quiet) a progress line that
// rewrites itself. It also rings the terminal's bell as the alarm sound.
class ConsoleReporter : public AlarmSound, public MeterStateListener {
 public:
  struct Style {
    char decimalSeparator = ',';
    bool progress = false;       // stderr is a terminal and --quiet is absent
    bool bell = false;           // stderr is a terminal
    std::string meter = "COM1";  // its name (see meterName)
    std::string family = {};     // the protocol family it is read as
  };

  // The watch goes by the clock's steady time.
  ConsoleReporter(const Style& style, RecordWatch& watch, const Clock& clock)
      : style_(style), watch_(watch), clock_(clock) {}

  // A journalled reading; `alarm`: it met the alarm condition.
  void readingRecorded(const JournalRow& row, bool alarm);
  // The reading just told was the recording's first alarm.
  void firstAlarm(const JournalRow& row);
  void beeps(int n) override;
  // The meter falls silent, is lost, or answers again: one line each, as the window's title.
  void meterStateChanged(MeterCondition condition) override;
  // Once a second while the port is open: a poll went out.
  void polled();
  void setJournal(std::function<std::string()> path) { journal_ = std::move(path); }
  // A line of its own, above the progress line.
  void line(const std::string& text);
  // Leaves the progress line as it stands.
  void finish();

 private:
  void showProgress();

  Style style_;
  RecordWatch& watch_;
  const Clock& clock_;
  std::string lastReading_ = "-";
  MeterCondition condition_ = MeterCondition::NotOpen;
  std::function<std::string()> journal_ = [] { return std::string(); };
  bool progressShown_ = false;
};

}  // namespace kelvor
