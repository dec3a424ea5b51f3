// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/journal/ShownRows.h"

#include <algorithm>

namespace kelvor {

void ShownRows::take(const JournalRow& row) {
  const double t = static_cast<double>(row.elapsedMs) / 1000.0;
  if (t >= from_ && t <= to_) rows_.push_back(row);
}

std::string ShownRows::text(JournalStyle style) {
  std::stable_sort(rows_.begin(), rows_.end(), [](const JournalRow& a, const JournalRow& b) {
    return a.elapsedMs < b.elapsedMs;
  });
  std::string text = journalHeader(style);
  for (const JournalRow& row : rows_) text += journalLine(row, style);
  return text;
}

}  // namespace kelvor
