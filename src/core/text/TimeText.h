// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kelvor {

// Local date-time at one-second resolution: seconds since 1970-01-01 00:00:00 of the local
// wall clock (so the time of day is the value modulo 86400). 0 means "no time set".
// Never subtract two of them for a duration: the wall clock steps (set back, daylight-saving
// time); durations come from the clock's steady time.
using LocalSeconds = std::int64_t;

// "hh:mm:ss" of the time-of-day part of t; whole days are dropped, so a duration of
// 25 hours reads "01:00:00". Negative values wrap into the previous day.
std::string timeOfDayText(LocalSeconds t);

// "hh:mm:ss" of a duration in whole seconds: past a day the hours count on ("110:38:27"), as
// the time axis' labels do; a negative duration has a minus sign.
std::string elapsedText(std::int64_t seconds);

// The calendar date (proleptic Gregorian) of t, and "2026-12-06" of it.
struct CivilDate {
  long long year;
  unsigned month;
  unsigned day;
};
CivilDate civilDate(LocalSeconds t);
std::string dateText(LocalSeconds t);

// What the time labels show while there is no time to show.
inline constexpr const char* NoTime = "-- : -- : --";

}  // namespace kelvor
