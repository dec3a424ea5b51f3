// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/TimeText.h"

namespace kelvor {

std::string TimeStr(LocalSeconds t) {
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
