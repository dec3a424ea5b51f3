// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kelvor {

// The items of the duration list: item k shows DurationList element 28 - k as "h:mm",
// longest first ("24:00", "24:00", "22:00", ..., "0:01").
std::vector<std::string> durationItems();
inline constexpr int DefaultDurationItem = 22;  // 0:15

// Minutes of a duration text: "1:30" -> 90, "45" -> 45, "" -> 0.
int getMinutes(const std::string& text);

// The item the automatic time range selects for a recording t seconds long: the shortest
// longer duration that covers t, never beyond the first 24:00 reached from below. The
// selected item when the plot already covers t.
int autoRangeXItem(const std::vector<std::string>& items, int selected, int t, float secondsAcross);

// One of the two Y range lists: the values as the program uses them and the texts shown.
struct YRangeItems {
  std::vector<float> values;
  std::vector<std::string> texts;
  int size() const { return static_cast<int>(values.size()); }
};

// 750 .. 0.1, 0, -0.1 .. -1000 (58 items; 0 at index 28).
YRangeItems yMinItems(char decimalSeparator);
// 1000 .. 0.1, 0, -0.1 .. -750 (58 items; 1.5 at index 22).
YRangeItems yMaxItems(char decimalSeparator);
inline constexpr int DefaultYMinItem = 28;  // 0
inline constexpr int DefaultYMaxItem = 22;  // 1.5

}  // namespace kelvor
