// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/ReadingNumber.h"
#include "core/InvalidValue.h"

#include <cmath>
#include <cstdio>

#include "core/text/NumberFormat.h"

namespace kelvor {

std::string readingNumber(float value, char decimalSeparator) {
  if (value == InvalidValue || !std::isfinite(value)) return {};
  return formatGeneral(static_cast<double>(value), 7, decimalSeparator);
}

std::string secondsText(std::int64_t ms, char decimalSeparator) {
  // The sign apart, so that both parts of a negative duration are whole numbers.
  const auto magnitude = static_cast<unsigned long long>(ms < 0 ? -(ms + 1) + 1 : ms);
  char text[40];
  std::snprintf(text, sizeof text, "%s%llu%c%03llu", ms < 0 ? "-" : "", magnitude / 1000,
                decimalSeparator, magnitude % 1000);
  return text;
}

}  // namespace kelvor
