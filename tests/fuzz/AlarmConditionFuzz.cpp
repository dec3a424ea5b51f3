// SPDX-License-Identifier: GPL-3.0-or-later
// Any text typed as an alarm condition parses without a fault; an accepted threshold is a
// finite, non-negative float (the number must start with a digit).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/alarm/AlarmCondition.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kelvor::AlarmCondition condition = kelvor::parseAlarmCondition(text);
  if (condition.valid) {
    KELVOR_FUZZ_CHECK(std::isfinite(condition.alarmLevel) && condition.alarmLevel >= 0.0f);
    // The operator comes first: the text holds a "<" or ">" in front of a digit.
    const std::size_t digit = text.find_first_of("0123456789");
    KELVOR_FUZZ_CHECK(digit != std::string_view::npos &&
                      text.substr(0, digit).find_first_of("<>") != std::string_view::npos);
  }
  return 0;
}
