// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// Where the plot's live line stands: the last processed point and the last point drawn.
// All four 0: no previous point, the next reading starts a new line.
struct PenPositions {
  int LastX = 0;
  int LastY = 0;
  int LastDrawnX = 0;
  int LastDrawnY = 0;

  void clear() { LastX = LastY = LastDrawnX = LastDrawnY = 0; }
};

}  // namespace kelvor
