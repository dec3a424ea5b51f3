// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Ms2115bFamily.h"

#include <cstdlib>

#include "core/acquisition/CodedRanges.h"
#include "core/acquisition/FrameBits.h"

namespace kelvor {

namespace {

constexpr std::size_t Function = 1, Range = 2, FrequencyRange = 3, Reading = 4, Flags = 8;
constexpr unsigned Sync = 0x55;
constexpr int Diode = 3, Frequency = 6;

// The functions by the low three bits of the function byte, with their ranges by range code
// (6000 counts). Bit 3 of the function byte is DC for currents and volts, diode against
// continuity for function 3.
constexpr CodedFunction Functions[] = {
    {0, "A", "", {{{1, ""}}}},  // 600 A and 1000 A, whatever the range byte
    {1, "A", "", {{{2, ""}}}},  // 60 A
    {2, "V", "", {{{1, "m"}, {3, ""}, {2, ""}, {1, ""}, {0, ""}}}},
    {3, "V", "diode", {{{3, ""}}}},
    {4, "Ω", "resistance", {{{1, ""}, {3, "k"}, {2, "k"}, {1, "k"}, {3, "M"}, {2, "M"}}}},
    {5,
     "F",
     "capacitance",
     {{{3, "n"}, {2, "n"}, {1, "n"}, {3, "µ"}, {2, "µ"}, {1, "µ"}, {3, "m"}, {2, "m"}}}},
    {6, "Hz", "frequency", {{{2, ""}, {1, ""}, {3, "k"}, {2, "k"}, {1, "k"}, {3, "M"}, {2, "M"}}}},
};
// Function 3 with bit 3 clear: continuity, its reading in ohms.
constexpr CodedFunction Continuity{3, "Ω", "continuity", {{{0, ""}}}};

}  // namespace

std::optional<DecodedFrame> Ms2115bFamily::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frameByte(frame, 0) != Sync) return std::nullopt;
  const int code = static_cast<int>(frameByte(frame, Function) & 0x7);
  const bool direct = frameBit(frame, Function, 3);
  const CodedFunction* function = codedFunction(Functions, code);
  if (code == Diode && !direct) function = &Continuity;
  if (!function) return std::nullopt;
  // The current functions have one range each; the frequency has its own range byte.
  const int range = code <= 1           ? 0
                    : code == Frequency ? static_cast<int>(frameByte(frame, FrequencyRange) & 0x7)
                                        : static_cast<int>(frameByte(frame, Range) & 0x7);
  MeterDisplay display;
  if (!applyRange(*function, range, display)) return std::nullopt;
  // Volts and amperes come signed, the other functions as plain counts.
  int count = static_cast<int>(frameByte(frame, Reading) | frameByte(frame, Reading + 1) << 8);
  if (code <= 2 && count >= 0x8000) count -= 0x10000;
  display.negative = count < 0;
  display.flags.overload = std::abs(count) > (code == Diode && direct ? 2500 : 6000);
  display.digits = std::to_string(std::abs(count));
  display.digits.insert(0, display.digits.size() < 4 ? 4 - display.digits.size() : 0, '0');
  if (code <= 2) display.mode = direct ? "DC" : "AC";
  display.flags.autoRange = !frameBit(frame, Flags, 0);
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
