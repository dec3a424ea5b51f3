// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Es519xxFamily.h"

#include "core/acquisition/CodedRanges.h"
#include "core/acquisition/FrameBits.h"

namespace kelvor {

namespace {

constexpr std::size_t Range = 0, Function = 5, Status = 6, Option1 = 7, Option2 = 8;
constexpr int Frequency = 0x2;

// Ranges shared by both kinds of chip.
constexpr std::array<CodedRange, 8> Microamperes{{{1, "µ"}, {0, "µ"}}};
constexpr std::array<CodedRange, 8> Milliamperes{{{2, "m"}, {1, "m"}}};
constexpr std::array<CodedRange, 8> Ohms{
    {{1, ""}, {3, "k"}, {2, "k"}, {1, "k"}, {3, "M"}, {2, "M"}}};
constexpr std::array<CodedRange, 8> Farads{
    {{3, "n"}, {2, "n"}, {1, "n"}, {3, "µ"}, {2, "µ"}, {1, "µ"}, {3, "m"}, {2, "m"}}};

// The functions by the low nibble of the function byte, with their ranges by range code. At
// 2400 baud 3F and 30 are amperes and 39 milliamperes.
constexpr CodedFunction SlowFunctions[] = {
    {0xB, "V", "", {{{1, "m"}, {3, ""}, {2, ""}, {1, ""}, {0, ""}}}},
    {0xD, "A", "", Microamperes},
    {0x9, "A", "", Milliamperes},
    {0xF, "A", "", {{{2, ""}}}},
    {0x0, "A", "", {{{2, ""}}}},
    {0x3, "Ω", "resistance", Ohms},
    {0x5, "Ω", "continuity", Ohms},
    {0x1, "V", "diode", {{{3, ""}}}},
    {Frequency, "Hz", "frequency", {{{3, "k"}, {2, "k"}, {1, "k"}, {3, "M"}, {2, "M"}, {1, "M"}}}},
    {0x6, "F", "capacitance", Farads},
};
constexpr CodedFunction FastFunctions[] = {
    {0xB, "V", "", {{{3, ""}, {2, ""}, {1, ""}, {0, ""}, {1, "m"}}}},
    {0xD, "A", "", Microamperes},
    {0xF, "A", "", Milliamperes},
    {0x0, "A", "", {{{3, ""}, {2, ""}}}},
    {0x9, "A", "", {{{0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}}}},
    {0x3, "Ω", "resistance", Ohms},
    {0x5, "Ω", "continuity", Ohms},
    {0x1, "V", "diode", {{{3, ""}}}},
    {Frequency, "Hz", "frequency", {{{3, "k"}, {2, "k"}, {1, "k"}, {3, "M"}, {2, "M"}}}},
    {0x6,
     "F",
     "capacitance",
     {{{3, "n"}, {2, "n"}, {1, "n"}, {3, "µ"}, {2, "µ"}, {1, "µ"}, {3, "m"}}}},
};

}  // namespace

std::optional<DecodedFrame> Es519xxFamily::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[9] != '\r' || frame[10] != '\n') return std::nullopt;
  for (std::size_t i = 0; i < 9; ++i)
    if ((frameByte(frame, i) & 0xF0) != 0x30) return std::nullopt;
  const bool ac = frameBit(frame, Option2, 2), dc = frameBit(frame, Option2, 3);
  if (ac && dc) return std::nullopt;

  const int code = static_cast<int>(frameByte(frame, Function) & 0xF);
  const CodedFunction* function =
      fast_ ? codedFunction(FastFunctions, code) : codedFunction(SlowFunctions, code);
  // Volts and amperes show the signal's frequency when the chip says so.
  const bool frequency = frameBit(frame, fast_ ? Option2 : Option1, 0) && function &&
                         (function->unit[0] == 'V' || function->unit[0] == 'A');
  if (frequency)
    function =
        fast_ ? codedFunction(FastFunctions, Frequency) : codedFunction(SlowFunctions, Frequency);
  // Temperature, revolutions and the adapter inputs: a whole frame without a number here.
  if (!function || (function->code == Frequency && frameBit(frame, Status, 3))) {
    DecodedFrame unknown;
    unknown.valueText = "?";
    return unknown;
  }
  MeterDisplay display;
  if (!applyRange(*function, static_cast<int>(frameByte(frame, Range) & 0xF), display))
    return std::nullopt;
  display.digits = frame.substr(1, 4);
  display.flags.overload = frameBit(frame, Status, 0);
  if (!display.flags.overload &&
      display.digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  display.negative = frameBit(frame, Status, 2);
  display.flags.lowBattery = frameBit(frame, Status, 1);
  display.flags.autoRange = frameBit(frame, Option2, 1);
  // The fast chips mark hold, maximum and minimum; the slow ones the peaks.
  display.flags.hold = fast_ && frameBit(frame, Option1, 3);
  display.flags.max = frameBit(frame, Option1, fast_ ? 2 : 3);
  display.flags.min = frameBit(frame, Option1, fast_ ? 1 : 2);
  if (display.mode.empty()) display.mode = acDcMode(ac, dc);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
