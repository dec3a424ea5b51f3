// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Mm38xrFamily.h"

#include "core/acquisition/CodedRanges.h"

namespace kelvor {

namespace {

constexpr std::size_t Digits = 2, Range = 8, RangeSetting = 11, Flags = 12;

// The functions whose ranges the meter's published output tables show, by function code,
// with their ranges by range code (9999 counts).
constexpr CodedFunction Functions[] = {
    {0x0C, "V", "", {{{1, "m"}, {3, ""}, {2, ""}, {1, ""}}}},  // DC, or AC+DC by the flags
    {0x10, "V", "AC", {{{1, "m"}, {3, ""}, {2, ""}, {1, ""}}}},
};
// AC volts with the dBm flag show a level with two decimals.
constexpr CodedFunction Level{0x10, "dBm", "AC", {{{2, ""}}}};

// The value of a hexadecimal character, or -1: the frame carries upper-case digits only.
int nibble(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<DecodedFrame> Mm38xrFamily::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[13] != '\r' || frame[14] != '\n') return std::nullopt;
  for (std::size_t i = 0; i < 13; ++i)
    if (nibble(frame[i]) < 0) return std::nullopt;

  MeterDisplay display;
  display.digits = frame.substr(Digits, 4);
  display.flags.overload = display.digits == "B0DD";
  if (!display.flags.overload &&
      display.digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int flags = nibble(frame[Flags]);
  display.negative = flags & 1;
  display.flags.autoRange = nibble(frame[RangeSetting]) & 2;

  const int code = nibble(frame[0]) << 4 | nibble(frame[1]);
  const CodedFunction* function = codedFunction(Functions, code);
  if (!function) {
    // A function whose ranges are not known here: a whole frame, but no number from it.
    DecodedFrame unknown;
    unknown.valueText = "?";
    return unknown;
  }
  const bool level = code == 0x10 && (flags & 4);
  if (!applyRange(level ? Level : *function, nibble(frame[Range]), display)) return std::nullopt;
  if (display.mode.empty()) display.mode = flags & 2 ? "AC+DC" : "DC";
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
