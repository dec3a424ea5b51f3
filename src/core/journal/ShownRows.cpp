// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/journal/ShownRows.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelvor {

std::string shownRows(const TraceStore& store, double from, double to, const WallTime& start,
                      JournalStyle style) {
  std::vector<JournalRow> rows;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    for (int slot = 1; slot <= store.count(ch); ++slot) {
      const double t = static_cast<double>(store.time(ch, slot));
      if (!(t >= from && t <= to) || t < 0) continue;
      JournalRow row;
      row.elapsedMs = static_cast<std::int64_t>(std::llround(t * 1000.0));
      row.time = {start.utcMs + row.elapsedMs, start.offsetSeconds};
      row.channel = ch + 1;
      const float v = store.value(ch, slot);
      const bool usable = std::isfinite(v) && v != InvalidValue;
      row.value = usable ? v : InvalidValue;
      row.status = usable ? ReadingStatus::Ok : ReadingStatus::Invalid;
      rows.push_back(row);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const JournalRow& a, const JournalRow& b) {
    return a.elapsedMs < b.elapsedMs;
  });
  std::string text = journalHeader(style);
  for (const JournalRow& row : rows) text += journalLine(row, style);
  return text;
}

}  // namespace kelvor
