// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Ut71xFamily.h"

#include "core/acquisition/CodedRanges.h"
#include "core/acquisition/FrameBits.h"

namespace kelvor {

namespace {

constexpr std::size_t Range = 5, Function = 6, Status1 = 7, Status2 = 8;

// The functions by the low nibble of the function byte, with their ranges by range code
// (40000 counts).
constexpr CodedFunction Functions[] = {
    {0x0, "V", "AC", {{{2, "m"}}}},
    {0x1, "V", "DC", {{{4, ""}, {3, ""}, {2, ""}, {1, ""}}}},
    {0x2, "V", "AC", {{{4, ""}, {3, ""}, {2, ""}, {1, ""}}}},
    {0x3, "V", "DC", {{{2, "m"}}}},
    {0x4, "Ω", "resistance", {{{2, ""}, {4, "k"}, {3, "k"}, {2, "k"}, {4, "M"}, {3, "M"}}}},
    {0x5,
     "F",
     "capacitance",
     {{{3, "n"}, {2, "n"}, {4, "µ"}, {3, "µ"}, {2, "µ"}, {4, "m"}, {3, "m"}}}},
    {0x6, "°C", "temperature", {{{1, ""}}}},
    {0x7, "A", "", {{{2, "µ"}, {1, "µ"}}}},
    {0x8, "A", "", {{{3, "m"}, {2, "m"}}}},
    {0x9, "A", "", {{{3, ""}}}},
    {0xA, "Ω", "continuity", {{{2, ""}}}},
    {0xB, "V", "diode", {{{4, ""}}}},
    {0xC,
     "Hz",
     "frequency",
     {{{2, ""}, {4, "k"}, {3, "k"}, {2, "k"}, {4, "M"}, {3, "M"}, {2, "M"}}}},
    {0xD, "°F", "temperature", {{{1, ""}}}},
    {0xF, "%", "loop current", {{{2, ""}}}},
};

}  // namespace

std::optional<DecodedFrame> Ut71xFamily::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[9] != '\r' || frame[10] != '\n') return std::nullopt;
  for (std::size_t i = 0; i < 9; ++i)
    if ((frameByte(frame, i) & 0xF0) != 0x30) return std::nullopt;

  const CodedFunction* function =
      codedFunction(Functions, static_cast<int>(frameByte(frame, Function) & 0xF));
  MeterDisplay display;
  if (!function || !applyRange(*function, static_cast<int>(frameByte(frame, Range) & 0xF), display))
    return std::nullopt;
  display.digits = frame.substr(0, 5);
  display.flags.overload = frameBit(frame, Status1, 0);
  if (!display.flags.overload &&
      display.digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  display.overloadText = "OL";
  display.flags.hold = frameBit(frame, Status1, 3);
  display.negative = frameBit(frame, Status1, 2);
  display.flags.lowBattery = frameBit(frame, Status1, 1);
  display.flags.max = frameBit(frame, Status2, 3);
  display.flags.min = frameBit(frame, Status2, 2);
  display.flags.relative = frameBit(frame, Status2, 1);
  display.flags.autoRange = frameBit(frame, Status2, 0);
  if (display.mode.empty()) display.mode = "DC";
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
