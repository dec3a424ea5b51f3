// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Es51922Family.h"

#include <string_view>

#include "core/acquisition/CodedRanges.h"
#include "core/acquisition/FrameBits.h"

namespace kelvor {

namespace {

constexpr std::size_t Range = 0, Function = 6, Status = 7, Option1 = 8, Option3 = 10, Option4 = 11;

// The functions by the low nibble of the function byte, with their ranges by range code.
constexpr CodedFunction Functions[] = {
    {0x0, "A", "", {{{3, ""}}}},  // 22 A
    {0x1, "V", "diode", {{{4, ""}}}},
    {0x2,
     "Hz",
     "frequency",
     {{{2, ""}, {1, ""}, {0, nullptr}, {3, "k"}, {2, "k"}, {4, "M"}, {3, "M"}, {2, "M"}}}},
    {0x3,
     "Ω",
     "resistance",
     {{{2, ""}, {4, "k"}, {3, "k"}, {2, "k"}, {4, "M"}, {3, "M"}, {2, "M"}}}},
    {0x4, "°C", "temperature", {{{1, ""}}}},
    {0x5, "Ω", "continuity", {{{2, ""}}}},
    {0x6,
     "F",
     "capacitance",
     {{{3, "n"}, {2, "n"}, {4, "µ"}, {3, "µ"}, {2, "µ"}, {4, "m"}, {3, "m"}, {2, "m"}}}},
    {0x9, "A", "", {{{4, ""}, {3, ""}, {2, ""}, {1, ""}, {0, ""}}}},  // manual ranges
    {0xB, "V", "", {{{4, ""}, {3, ""}, {2, ""}, {1, ""}, {2, "m"}}}},
    {0xD, "A", "", {{{2, "µ"}, {1, "µ"}}}},  // automatic µA
    {0xE, "", "adapter", {{{0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}}}},
    {0xF, "A", "", {{{3, "m"}, {2, "m"}}}},  // automatic mA
};
const CodedFunction& FrequencyFunction = Functions[2];

}  // namespace

std::optional<DecodedFrame> Es51922Family::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[12] != '\r' || frame[13] != '\n') return std::nullopt;
  for (std::size_t i = 0; i < 12; ++i)
    if ((frameByte(frame, i) & 0xF0) != 0x30) return std::nullopt;

  const CodedFunction* function =
      codedFunction(Functions, static_cast<int>(frameByte(frame, Function) & 0xF));
  if (!function) return std::nullopt;
  MeterDisplay display;
  // In a voltage or current function the display may show the signal's frequency instead.
  const std::string_view unit = function->unit;
  const bool frequency = frameBit(frame, Option3, 0) && (unit == "V" || unit == "A");
  if (!applyRange(frequency ? FrequencyFunction : *function,
                  static_cast<int>(frameByte(frame, Range) & 0xF), display))
    return std::nullopt;
  display.digits = frame.substr(1, 5);
  display.flags.overload = frameBit(frame, Status, 0);
  if (!display.flags.overload &&
      display.digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  display.overloadText = "OL";
  display.negative = frameBit(frame, Status, 2);
  display.flags.lowBattery = frameBit(frame, Status, 1);
  display.flags.max = frameBit(frame, Option1, 3);
  display.flags.min = frameBit(frame, Option1, 2);
  display.flags.relative = frameBit(frame, Option1, 1);
  display.flags.autoRange = frameBit(frame, Option3, 1);
  display.flags.hold = frameBit(frame, Option4, 1);
  if (display.mode.empty())
    display.mode = acDcMode(frameBit(frame, Option3, 2), frameBit(frame, Option3, 3));
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
