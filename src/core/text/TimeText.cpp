// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/TimeText.h"

#include <cstdio>

namespace kelvor {

namespace {
long long floorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
}  // namespace

std::string elapsedText(std::int64_t seconds) {
  if (seconds < 0) return "-" + elapsedText(-seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

CivilDate civilDate(LocalSeconds t) {
  // Days to civil date in eras of 400 years.
  const long long z = floorDiv(t, 86400) + 719468;
  const long long era = floorDiv(z, 146097);
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<long long>(yoe) + era * 400 + (month <= 2 ? 1 : 0), month,
          doy - (153 * mp + 2) / 5 + 1};
}

std::string dateText(LocalSeconds t) {
  const CivilDate date = civilDate(t);
  char text[32];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02u", date.year, date.month, date.day);
  return text;
}

std::string timeOfDayText(LocalSeconds t) {
  constexpr LocalSeconds kSecondsPerDay = 86400;
  // Floor modulo: -1 is the last second of the previous day, not a negative time of day.
  const LocalSeconds timeOfDay = ((t % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
  const int fields[3] = {static_cast<int>(timeOfDay / 3600), static_cast<int>(timeOfDay / 60 % 60),
                         static_cast<int>(timeOfDay % 60)};
  std::string out;
  for (const int field : fields) {
    if (!out.empty()) out += ':';
    out += static_cast<char>('0' + field / 10);
    out += static_cast<char>('0' + field % 10);
  }
  return out;
}

}  // namespace kelvor
