// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/M2110Family.h"

#include <string_view>

#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

std::optional<DecodedFrame> M2110Family::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[7] != '\r' || frame[8] != '\n') return std::nullopt;
  MeterDisplay display;
  std::string_view field(frame.data(), 7);
  if (field == "OVERRNG") {
    display.flags.overload = true;
    return readingOf(display, decimalSeparator);
  }
  // Blanks around the number, a sign before it.
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  field.remove_prefix(first);
  field.remove_suffix(field.size() - (field.find_last_not_of(' ') + 1));
  if (field[0] == '-' || field[0] == '+') {
    display.negative = field[0] == '-';
    field.remove_prefix(1);
  }
  if (!readShownNumber(field, display)) return std::nullopt;
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
