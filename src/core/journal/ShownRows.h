// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/journal/JournalFormat.h"

namespace kelvor {

// The rows of one or more journals whose elapsed time lies from `from` to `to` seconds (both
// included), kept as their journals wrote them (time of day, unit, mode, status, the meter's
// characters), and written as one journal in time order; rows of the same time stay in the
// order they were taken.
class ShownRows {
 public:
  ShownRows(double from, double to) : from_(from), to_(to) {}

  // Takes a row as a JournalStream hands it over.
  void take(const JournalRow& row);
  std::string text(JournalStyle style);

 private:
  double from_;
  double to_;
  std::vector<JournalRow> rows_;
};

}  // namespace kelvor
