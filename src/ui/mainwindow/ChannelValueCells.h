// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class QLabel;

namespace kelvor {

// The row of channel values under the plot, one cell a channel; hidden unless several
// channels are bound (ChannelValuesRow).
struct ChannelValueCells {
  std::array<QLabel*, 6> valueCells{};
};

}  // namespace kelvor
