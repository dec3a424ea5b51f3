// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Vc870Family.h"

#include "core/acquisition/CodedRanges.h"
#include "core/acquisition/FrameBits.h"

namespace kelvor {

namespace {

constexpr std::size_t Function = 0, Selection = 1, Range = 2, Digits = 3, Status = 15, Option1 = 16,
                      Option2 = 17;

constexpr std::array<CodedRange, 8> Ohms{
    {{2, ""}, {1, ""}, {2, "k"}, {1, "k"}, {3, "M"}, {2, "M"}}};

// The functions by function digit (high nibble) and selection digit (low nibble), with their
// ranges by range digit (40000 counts). The ohm ranges step from 1e-1 to 1e1 per count, as
// measured on the meter.
constexpr CodedFunction Functions[] = {
    {0x00, "V", "DC", {{{4, ""}, {3, ""}, {2, ""}, {1, ""}}}},
    {0x01, "V", "AC", {{{3, ""}, {2, ""}, {1, ""}, {0, ""}}}},
    {0x10, "V", "DC", {{{2, "m"}}}},
    {0x11, "°C", "temperature", {{{1, ""}}}},
    {0x20, "Ω", "resistance", Ohms},
    {0x21, "Ω", "continuity", Ohms},
    {0x30,
     "F",
     "capacitance",
     {{{3, "n"}, {2, "n"}, {1, "n"}, {3, "µ"}, {2, "µ"}, {1, "µ"}, {3, "m"}}}},
    {0x40, "V", "diode", {{{4, ""}}}},
    {0x50,
     "Hz",
     "frequency",
     {{{3, ""}, {2, ""}, {1, ""}, {0, ""}, {2, "k"}, {1, "k"}, {3, "M"}, {2, "M"}}}},
    {0x51, "%", "loop current", {{{2, ""}}}},
    {0x60, "A", "DC", {{{2, "µ"}, {1, "µ"}}}},
    {0x61, "A", "AC", {{{1, "µ"}, {0, "µ"}}}},
    {0x70, "A", "DC", {{{3, "m"}, {2, "m"}}}},
    {0x71, "A", "AC", {{{2, "m"}, {1, "m"}}}},
    {0x80, "A", "DC", {{{3, ""}}}},
    {0x81, "A", "AC", {{{3, ""}}}},
};

// The value of a digit character, or -1.
int digitOf(char c) {
  return c >= '0' && c <= '9' ? c - '0' : -1;
}

}  // namespace

std::optional<DecodedFrame> Vc870Family::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[21] != '\r' || frame[22] != '\n') return std::nullopt;
  const int function = digitOf(frame[Function]), selection = digitOf(frame[Selection]);
  if (function < 0 || selection < 0 || digitOf(frame[Range]) < 0) return std::nullopt;
  const CodedFunction* coded = codedFunction(Functions, function << 4 | selection);
  if (function == 9) {
    // The power functions: a whole frame, but no number from it here.
    DecodedFrame unknown;
    unknown.valueText = "?";
    return unknown;
  }
  MeterDisplay display;
  if (!coded || !applyRange(*coded, digitOf(frame[Range]), display)) return std::nullopt;
  display.digits = frame.substr(Digits, 5);
  // Overflow of the main display, or an open input.
  display.flags.overload = frameBit(frame, Status, 0) || frameBit(frame, Option2, 2);
  if (!display.flags.overload &&
      display.digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  display.negative = frameBit(frame, Status, 2);
  display.flags.lowBattery = frameBit(frame, Status, 1);
  display.flags.max = frameBit(frame, Option1, 3);
  display.flags.min = frameBit(frame, Option1, 2);
  display.flags.relative = frameBit(frame, Option1, 0);
  display.flags.autoRange = !frameBit(frame, Option2, 1);
  display.flags.hold = frameBit(frame, Option2, 0);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
