// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/RangeLists.h"

#include <cmath>

#include "core/plot/WholeNumbers.h"
#include "core/recording/ValueLists.h"
#include "core/text/LeadingNumber.h"
#include "core/text/NumberFormat.h"

namespace kelvor {

namespace {

int nearestWhole(double value) {
  return toInt(roundWithin(value, WholePartCap));
}

double leadingNumber(const std::string& text) {
  return readLeadingNumber(text).value_or(0.0);
}

void addItem(YRangeItems& items, double value, char separator) {
  items.values.push_back(static_cast<float>(value));
  items.texts.push_back(formatGeneral(value, 15, separator));
}

}  // namespace

std::vector<std::string> durationItems() {
  std::vector<std::string> items;
  const auto& minutes = ValueLists::DurationList;
  for (auto it = minutes.rbegin(); it != minutes.rend(); ++it) {
    items.push_back(formatPattern(*it / 60, "#0:", '.') + formatPattern(*it % 60, "00", '.'));
  }
  return items;
}

int getMinutes(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return nearestWhole(leadingNumber(text));
  const double hours = leadingNumber(text.substr(0, colon));
  const double minutes = leadingNumber(text.substr(colon + 1, 255));
  return nearestWhole(hours * 60 + minutes);
}

int autoRangeXItem(const std::vector<std::string>& items, int selected, int t,
                   float secondsAcross) {
  if (std::floor(static_cast<double>(secondsAcross)) >= t) return selected;
  const int longest = ValueLists::DurationList.back();
  int k = selected;
  while (k >= 0 && k < static_cast<int>(items.size())) {
    const int m = getMinutes(items[static_cast<std::size_t>(k)]);
    if (static_cast<long long>(m) * 60 >= t || m == longest || k == 0) break;
    --k;
  }
  return k;
}

YRangeItems yMinItems(char separator) {
  YRangeItems items;
  const auto& values = ValueLists::YRangeList;
  for (std::size_t i = 1; i < values.size(); ++i) addItem(items, values[i], separator);
  addItem(items, 0.0, separator);
  for (auto it = values.rbegin(); it != values.rend(); ++it) addItem(items, -*it, separator);
  return items;
}

YRangeItems yMaxItems(char separator) {
  YRangeItems items;
  const auto& values = ValueLists::YRangeList;
  for (double value : values) addItem(items, value, separator);
  addItem(items, 0.0, separator);
  for (std::size_t i = values.size() - 1; i >= 1; --i) addItem(items, -values[i], separator);
  return items;
}

}  // namespace kelvor
