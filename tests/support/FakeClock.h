// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Clock.h"

namespace kelvor::testing {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
inline std::int64_t daysFromCivil(int year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const auto yoe = static_cast<unsigned>(year - era * 400);
  const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  return era * std::int64_t{146097} + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

// The time zone Europe/Berlin under today's rule: UTC+2 from the last Sunday of March to the
// last Sunday of October, each change at 01:00 UTC; UTC+1 otherwise.
inline int europeBerlinOffset(std::int64_t utcMs) {
  // The year may be off by one near New Year, which is winter time in either year.
  const int year = 1970 + static_cast<int>(utcMs / 31556952000);
  const auto changeMs = [year](unsigned month) {
    const std::int64_t last = daysFromCivil(year, month, 31);
    const std::int64_t sunday = last - (last + 4) % 7;  // 1970-01-01 was a Thursday
    return (sunday * 86400 + 3600) * 1000;
  };
  return utcMs >= changeMs(3) && utcMs < changeMs(10) ? 7200 : 3600;
}

// A clock the test sets and advances: both clocks together, or the wall clock alone (set
// back or forward), in UTC or in a zone with daylight-saving time.
class FakeClock : public Clock {
 public:
  using Zone = int (*)(std::int64_t utcMs);

  // Starts at `start`, the local time of a zone without offset until setZone().
  explicit FakeClock(LocalSeconds start) : utcMs_(start * 1000) {}
  std::int64_t steadyMs() const override { return steadyMs_; }
  std::int64_t utcMs() const override { return utcMs_; }
  int utcOffsetAt(std::int64_t utcMs) const override { return zone_ ? zone_(utcMs) : 0; }
  LocalSeconds now() const { return wallTime().local(); }

  void advance(LocalSeconds seconds) { steadyMs_ += seconds * 1000, utcMs_ += seconds * 1000; }
  // Both clocks go on until the local time is `t`.
  void set(LocalSeconds t) { advance(t - now()); }
  // The wall clock alone is set back (negative) or forward.
  void stepWall(std::int64_t ms) { utcMs_ += ms; }
  void setZone(Zone zone) { zone_ = zone; }

 private:
  std::int64_t steadyMs_ = 7000000;  // an origin of its own, unrelated to the wall clock
  std::int64_t utcMs_;
  Zone zone_ = nullptr;
};

}  // namespace kelvor::testing
